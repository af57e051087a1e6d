# A way to the CUPS spooler that can be held shut, as a print server that takes its time would be: programs given
# CUPS_SERVER=LISTEN_SOCKET reach SPOOLER_SOCKET through it, and SIGUSR1 holds what they send until SIGUSR2. It says
# "ready", "held" and "released" as each takes effect, for a script to wait on.
# Usage: spooler-gate.py LISTEN_SOCKET SPOOLER_SOCKET
import signal, socket, sys, threading

passing = threading.Event()
passing.set()
for number, act, word in ((signal.SIGUSR1, passing.clear, "held"), (signal.SIGUSR2, passing.set, "released")):
    signal.signal(number, lambda *_, act=act, word=word: (act(), print(word, flush=True)))


def pump(source, target, gated):
    try:
        while data := source.recv(65536):
            if gated:
                passing.wait()
            target.sendall(data)
        target.shutdown(socket.SHUT_WR)
    except OSError:
        pass


server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen()
print("ready", flush=True)
while True:
    client, _ = server.accept()
    spooler = socket.socket(socket.AF_UNIX)
    spooler.connect(sys.argv[2])
    threading.Thread(target=pump, args=(client, spooler, True), daemon=True).start()
    threading.Thread(target=pump, args=(spooler, client, False), daemon=True).start()
