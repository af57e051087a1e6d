# A way to the CUPS spooler that can be held shut, as a print server that takes its time would be. Programs given
# CUPS_SERVER=LISTEN_SOCKET reach the spooler through it; SIGUSR1 holds what they send until SIGUSR2, while the
# spooler's answers always pass. It says "ready" once it listens and "held" or "released" once a signal has taken
# effect, so that a script can wait for each.
# Usage: spooler-gate.py LISTEN_SOCKET SPOOLER_SOCKET
import signal, socket, sys, threading

listen_path, spooler_path = sys.argv[1:3]
passing = threading.Event()
passing.set()


def switch(passes, word):
    if passes:
        passing.set()
    else:
        passing.clear()
    print(word, flush=True)


def pump(source, target, gated):
    try:
        while data := source.recv(65536):
            if gated:
                passing.wait()
            target.sendall(data)
    except OSError:
        pass
    for end in (source, target):
        try:
            end.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


signal.signal(signal.SIGUSR1, lambda *_: switch(False, "held"))
signal.signal(signal.SIGUSR2, lambda *_: switch(True, "released"))
server = socket.socket(socket.AF_UNIX)
server.bind(listen_path)
server.listen(16)
print("ready", flush=True)
while True:
    client, _ = server.accept()
    spooler = socket.socket(socket.AF_UNIX)
    spooler.connect(spooler_path)
    for source, target, gated in ((client, spooler, True), (spooler, client, False)):
        threading.Thread(target=pump, args=(source, target, gated), daemon=True).start()
