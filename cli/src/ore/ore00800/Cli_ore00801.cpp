#include "ore/ore00800/Cli_ore00801.h"

#include "core/data/Exceptions.h"
#include "framework/services/CursorScope.h"
#include "framework/services/Dispatch.h"
#include "framework/services/Messages.h"
#include "framework/widgets/DateEditPlus.h"
#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/model/FiltroMessages.h"

#include <QLabel>

TfrmFiltroFechaOrca::TfrmFiltroFechaOrca(IFiltroHost* host, QWidget* parent)
    : TfrmFiltroPadrao(parent), m_host(host) {
    setObjectName(QStringLiteral("frmFiltroFechaOrca"));
    setWindowTitle(QStringLiteral("Filtro de Fechamento"));
    lblCodTela->setText(QStringLiteral("ORE00801"));
    // For the host's help, should it be asked for this dialog.
    setProperty("HelpContext", 12200101);
    setProperty("HelpFile", QStringLiteral("pedhelp.hlp"));
    msgPadrao->SetLines(FiltroMessageLines());
    BuildControls();
    BuildManagerSets();
    BindHandlers();
    BindLookups();
}

TfrmFiltroFechaOrca::~TfrmFiltroFechaOrca() {
    if (frmFiltroFechaOrca == this) {
        frmFiltroFechaOrca = nullptr;
        boIdCriado = false;
    }
}

void TfrmFiltroFechaOrca::FormCreate() {
    TfrmFiltroPadrao::FormCreate();
    depDeEntrega->SetDate(0);
    depAteEntrega->SetDate(0);
}

void TfrmFiltroFechaOrca::showEvent(QShowEvent* event) {
    TfrmFiltroPadrao::showEvent(event);
    // Once per dialog: coming back from a picker or a box keeps the
    // operator's unconfirmed input.
    if (m_activated)
        return;
    m_activated = true;
    Dispatch([this] { FormActivate(); });
}

void TfrmFiltroFechaOrca::FormClose() {
    TfrmFiltroPadrao::FormClose();
    boIdCriado = false;
    // Gone once the current event is over, after the opener read the result.
    deleteLater();
}

IFiltroHost& TfrmFiltroFechaOrca::Host() const {
    if (!m_host)
        throw Exception(QStringLiteral("A tela de fechamento do orçamento não está aberta."));
    return *m_host;
}

void CriaFiltroFechaOrca(IFiltroHost* host) {
    TCursorScope busy(Qt::WaitCursor);
    if (!boIdCriado) {
        frmFiltroFechaOrca = TfrmFiltroPadrao::Create<TfrmFiltroFechaOrca>(host);
        boIdCriado = true;
    }
    // The operator works in the dialog with the normal cursor.
    TCursorScope normal(Qt::ArrowCursor);
    frmFiltroFechaOrca->ShowModal();
}

void CriaFiltroFechaOrca() {
    CriaFiltroFechaOrca(frmFechaOrca);
}

int ContaChecked(const QString& stString) {
    return int(stString.count(u'_')) + 1;
}
