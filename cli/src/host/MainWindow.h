#pragma once

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;
class TModuleLoader;

// The host's main window: the menus that open screens by code, and the MDI
// area where the modules' screens are shown.
class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmPrincipal(TModuleLoader& loader, QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    // Opens a screen by code, as the menu does: failures are shown to the operator.
    void OpenScreen(const QString& code);

    QMdiArea* mdiPrincipal = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateStatusBar();
    void ShowInMdi(QWidget* screen, bool maximized);
    // Gives a screen shown in its normal state its designed size, as far as
    // the area has room, wholly inside the area.
    void FitScreen(QMdiSubWindow* sub);
    void mniSairClick();
    void mniAbrirTelaClick();

    TModuleLoader& m_loader;
};
