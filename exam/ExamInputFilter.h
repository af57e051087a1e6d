// The exam's input rules: what may reach the exam window and its controls. Only the candidate's own key presses
// type and count toward the supervisor's sequence; the text areas take no clipboard, no middle or right button,
// and nothing that another program sends or posts to change them. Reading them stays open to everyone: screen
// readers read them, and the sample is a file on disk anyway.
//
// What no program can refuse: a keyboard that types by itself in hardware (a macro keyboard), Ctrl+Alt+Del, and
// another program that ends this one (TerminateProcess) or has the rights to write into its memory.
#pragma once

#include <windows.h>

namespace exam {

class ExamInputFilter {
public:
    // Tests drive the window with messages of their own, which no keyboard made.
    enum class KeySources { KeyboardOnly, Any };
    enum class Target { TypingArea, SampleText, OtherControl, Window };

    explicit ExamInputFilter(KeySources keys) : keys_(keys) {}

    // A message as it reaches its window, sent or dispatched; true when the window must not see it. `typing` says
    // whether the exam takes the candidate's typing now.
    bool Refuses(Target target, UINT message, WPARAM wParam, bool typing) const;
    // Whether a character that the program made of a key press types into the target now: never the control
    // characters of chords, nor in a typing area that takes no typing.
    static bool TypesCharacter(Target target, wchar_t character, bool typing);

private:
    bool RefusesKey(UINT message) const;

    KeySources keys_;
};

}  // namespace exam
