#include "ore/ore00800/Cli_ore00800.h"

#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/CursorScope.h"
#include "framework/services/HostText.h"
#include "framework/services/Messages.h"
#include "framework/services/Pictures.h"
#include "framework/services/ScreenPresenter.h"
#include "framework/services/ServerResult.h"
#include "framework/services/Session.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/model/FechaOrcaMessages.h"
#include "ore/ore00800/services/ServerPayload.h"

#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/MaskEdit.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

constinit TfrmFechaOrca* frmFechaOrca = nullptr;
constinit bool boStCriado = false;

TfrmFechaOrca::TfrmFechaOrca() : data(this), queries(this) {
    setObjectName(QStringLiteral("frmFechaOrca"));
    setWindowTitle(QStringLiteral("Fechamento do Orçamento"));
    lblCodTela->setText(QStringLiteral("ORE00800"));
    msgPadrao->SetLines(FechaOrcaMessageLines());
    BuildToolBar();
    BuildMenus();
    BuildBranchBar();
    BuildPages();
    BuildConnections();
    BindEvents();
    resize(780, 540);
}

TfrmFechaOrca::~TfrmFechaOrca() {
    // The record sets are children too and go after this body: their
    // handlers must not reach into a screen being destroyed.
    for (TRecordSet* rs : findChildren<TRecordSet*>()) {
        rs->AfterOpen = nullptr;
        rs->AfterScroll = nullptr;
        rs->AfterPost = nullptr;
        rs->AfterCancel = nullptr;
    }
    dtsPadrao->OnStateChange = nullptr;
    // Destroyed without closing (host shutdown, module finalisation).
    if (frmFechaOrca == this) {
        frmFechaOrca = nullptr;
        boStCriado = false;
    }
}

void TfrmFechaOrca::FormCreate() {
    TfrmPadrao::FormCreate();
    boPrimVez = true;
    data.cdsEndeNovoClie->CreateDataSet();
    data.cdsInteclieOrev->CreateDataSet();
    netFechaOrca->Connect();
    netProcOrca->Connect();
    netContratante->Connect();
    data.SetupFields(DBPict(0), DateMask());

    // No list yet: only the list page.
    Habilita();

    // Budgets are neither added nor deleted here; the other commands start
    // as the state of a list not yet retrieved has them.
    for (QToolButton* b : {sbtIncluir, sbtExcluir})
        b->setEnabled(false);
    dtsPadraoStateChange();

    SetFiltroDefaults(Filtro);
    // Where the operator starts, although it is not a tab stop.
    medCdFilial->setFocus();
}

void TfrmFechaOrca::FormActivate() {
    TfrmPadrao::FormActivate();
    if (!boPrimVez)
        return;
    medCdFilial->SetText(FiliProc());
    edtNmFilial->setText(NomeFiliProc());
    medCdFilial->setEnabled(!ModuFili());
    btnFilial->setEnabled(!ModuFili());
    ReadRights();
    boPrimVez = false;

    const bool listed =
        dtsPadrao->State() == TDataSetState::Browse && !data.cdsOrcaEvento->IsEmpty();
    for (QToolButton* b : {sbtFecharOrca, sbtProcOrca})
        b->setEnabled(listed);
    for (QAction* a : {mnuFecharOrca, mnuProcOrca})
        a->setEnabled(listed);
}

void TfrmFechaOrca::ReadRights() {
    TBusyScope busy(window(), 6);
    const QString method = QStringLiteral("GetOperControle");
    const QVariant payload = CheckResultServ(netProcOrca->Call(method, {Operador()}), true, 0);
    data.cdsOperControle->SetData(PacketAt(payload, 0, method));
    data.cdsParamControle->SetData(PacketAt(payload, 1, method));

    const QString oper = data.cdsOperControle->FieldByName("CDPROCHABFECOPE").AsString();
    const QString param = data.cdsParamControle->FieldByName("CDPROCHABFECORE").AsString();
    const bool offered =
        oper != QLatin1String("SEMACESSO") && (!EmptyString(oper) || !EmptyString(param));
    m_rightsOfferProcessing = offered;
    sbtProcOrca->setVisible(offered);
    mnuProcOrca->setVisible(offered);
}

void TfrmFechaOrca::FormClose(TCloseAction& action) {
    netFechaOrca->Close();
    netProcOrca->Close();
    netContratante->Close();
    // Released right after the close: the next opening makes a new screen.
    if (frmFechaOrca == this)
        frmFechaOrca = nullptr;
    boStCriado = false;
    TfrmPadrao::FormClose(action);
}

void TfrmFechaOrca::netFechaOrcaBeforeConnect(TNetConnection& connection) {
    connection.Host = WebURL();
    connection.Port = WebPort();
}

void TfrmFechaOrca::netProcOrcaBeforeConnect(TNetConnection& connection) {
    netFechaOrcaBeforeConnect(connection);
}

void TfrmFechaOrca::netContratanteBeforeConnect(TNetConnection& connection) {
    netFechaOrcaBeforeConnect(connection);
}

QSize DesktopSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void CriaFechaOrca(QSize desktop) {
    TCursorScope wait(Qt::WaitCursor);
    if (!boStCriado) {
        frmFechaOrca = TfrmPadrao::Create<TfrmFechaOrca>();
        boStCriado = true;
    }
    PresentScreen(frmFechaOrca, desktop == QSize(640, 480));
}

void InitializeCli_ore00800() {
    boStCriado = false;
}

void FinalizeCli_ore00800() {
    // The screen's code goes away with the module: it must not outlive it.
    delete frmFechaOrca;
    frmFechaOrca = nullptr;
    boStCriado = false;
}
