#pragma once

#include <QKeySequence>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QBoxLayout;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;
class TDataSource;
class TDBGrid;
class TDBNavigator;
class TMessages;
class TPageControl;
class TTabSheet;

// The base maintenance screen: a child window of the host with a menu, a
// tool bar, a list page (grid over dtsPadrao), a form page, a navigator and a
// message catalogue. Screens derive from it, add their controls through the
// Add… helpers, and extend the base handlers, which are virtual.
//
// Create screens with TfrmPadrao::Create<T>(): it runs FormCreate once the
// whole object exists. Every handler runs through Dispatch.
class TfrmPadrao : public QWidget {
    Q_OBJECT
public:
    enum class TCloseAction { None, Hide, Free };

    explicit TfrmPadrao(QWidget* parent = nullptr);
    ~TfrmPadrao() override;

    template <class T, class... Args> static T* Create(Args&&... args) {
        T* form = new T(std::forward<Args>(args)...);
        form->FormCreate();
        return form;
    }

    // Menu.
    QMenuBar* mnuMenu = nullptr;
    QMenu* mnuOperacao = nullptr;
    QAction* mnuFolhaDados = nullptr;
    QAction* mnuFormulario = nullptr;
    QAction* mnuListagem = nullptr;
    QMenu* mnuManutencao = nullptr;
    QAction* mnuIncluir = nullptr;
    QAction* mnuAlterar = nullptr;
    QAction* mnuExcluir = nullptr;
    QAction* mnuProcurar = nullptr;
    QAction* mnuVerificar = nullptr;
    QAction* mnuCancelar = nullptr;
    QAction* mnuConfirmar = nullptr;

    // Tool bar; the buttons take no focus, as in a desktop tool bar.
    QFrame* panMenu = nullptr;
    QToolButton* sbtIncluir = nullptr;
    QToolButton* sbtAlterar = nullptr;
    QToolButton* sbtExcluir = nullptr;
    QToolButton* sbtProcurar = nullptr;
    QToolButton* sbtVerificar = nullptr;
    QToolButton* sbtOrdenar = nullptr;
    QToolButton* sbtCancelar = nullptr;
    QToolButton* sbtConfirmar = nullptr;
    QToolButton* sbtImprimir = nullptr;
    QToolButton* sbtAjuda = nullptr;
    QToolButton* sbtFechar = nullptr;
    QLabel* lblCodTela = nullptr;

    // Pages.
    TPageControl* pgcPadrao = nullptr;
    TTabSheet* tshFolhaDados = nullptr;
    TDBGrid* dbgPadrao = nullptr;
    TTabSheet* tshFormulario = nullptr;

    QFrame* panNavigator = nullptr;
    TDBNavigator* dbnPadrao = nullptr;

    TDataSource* dtsPadrao = nullptr;
    TMessages* msgPadrao = nullptr;

    // Shows `page` as the program does and runs the page-change handler: the
    // page control reports only the operator's changes of page.
    void ShowPage(TTabSheet* page);

    // Base handlers that screens extend.
    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormClose(TCloseAction& action);
    virtual void pgcPadraoChange() {}
    virtual void sbtIncluirClick();
    virtual void sbtAlterarClick();
    virtual void sbtExcluirClick();
    virtual void sbtProcurarClick() {}
    virtual void sbtVerificarClick() {}
    virtual void sbtOrdenarClick() {}
    virtual void sbtCancelarClick();
    virtual void sbtConfirmarClick();
    virtual void sbtImprimirClick() {}
    virtual void sbtAjudaClick();
    virtual void dbgPadraoKeyDown(int& key, Qt::KeyboardModifiers modifiers);

    // Layout helpers for screens.
    // A tool-bar button of the screen's own, placed before sbtImprimir.
    QToolButton* AddToolButton(const QString& name, const QString& caption, const QString& hint);
    // A band under the tool bar (a branch bar, for instance).
    void AddBand(QWidget* band);
    // A menu entry at the end of `menu`, running `handler` through Dispatch.
    QAction* AddMenuAction(QMenu* menu, const QString& name, const QString& caption,
                           const QKeySequence& shortcut, std::function<void()> handler);
    // Runs `handler` through Dispatch when `button` is clicked.
    void OnClick(QToolButton* button, std::function<void()> handler);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildMenu();
    void BuildToolBar();
    void BuildPages();
    void WatchMdiFrame();
    void Activated();
    void Deactivated();

    QBoxLayout* m_layout = nullptr;
    QBoxLayout* m_toolLayout = nullptr;
    int m_bands = 0;
    bool m_activationArmed = true; // false from a failed activation until the window is left
    bool m_activating = false;     // FormActivate runs, its error box included
    QMetaObject::Connection m_frameWatch;
};
