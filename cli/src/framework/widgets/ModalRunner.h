#pragma once

#include <functional>

class QDialog;

// Runs the framework's own modal windows (search, pick lists). A test
// installs a hook that drives the window as the operator would and returns
// its result, instead of entering a nested event loop that would block it.
class TModalRunner {
public:
    using Hook = std::function<int(QDialog&)>;

    // The dialog's result: QDialog::exec, or the installed hook.
    static int Exec(QDialog& dialog);
    // An empty hook restores QDialog::exec.
    static void SetHook(Hook hook);
};
