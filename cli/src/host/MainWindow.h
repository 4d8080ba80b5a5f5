#pragma once

#include <QMainWindow>

class QMdiArea;
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

private:
    void CreateMenus();
    void CreateStatusBar();
    void ShowInMdi(QWidget* screen, bool maximized);
    void mniSairClick();
    void mniAbrirTelaClick();

    TModuleLoader& m_loader;
};
