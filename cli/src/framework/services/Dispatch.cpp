#include "Dispatch.h"

#include "Dialogs.h"
#include "Exceptions.h"

bool Dispatch(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        TDialogs::Current().Error(e.Message());
    } catch (const std::exception& e) {
        TDialogs::Current().Error(QString::fromUtf8(e.what()));
    }
    return false;
}

void MensErro(const QString& text, bool abort) {
    TDialogs::Current().Error(text);
    if (abort)
        throw EAbort();
}
