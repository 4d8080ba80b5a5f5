#include "framework/widgets/ModalRunner.h"

#include "framework/services/Dispatch.h"

#include <QDialog>

namespace {

TModalRunner::Hook& InstalledHook() {
    static TModalRunner::Hook hook;
    return hook;
}

} // namespace

int TModalRunner::Exec(QDialog& dialog) {
    TNestedLoopScope loop;
    if (const auto& hook = InstalledHook())
        return hook(dialog);
    return dialog.exec();
}

void TModalRunner::SetHook(Hook hook) {
    InstalledHook() = std::move(hook);
}
