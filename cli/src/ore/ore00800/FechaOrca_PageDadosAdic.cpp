// "Dados Adicionais": title, school, the contracting client, the delivery
// address and the halls.

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"

#include "core/data/DataSource.h"
#include "core/data/Field.h"
#include "core/data/RecordSet.h"
#include "framework/services/Messages.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/TabSheet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// A caption and the budget's fields after it, a code and its name or one
// text; widths in characters, 0 for a field that takes what is left.
struct TAdicPart {
    const char* label;
    const char* caption;
    struct {
        const char* field;
        int chars;
    } edits[2];
};
// A row of the page: one part, or two side by side.
struct TAdicRow {
    TAdicPart first;
    TAdicPart second;
};

QLabel* Caption(QWidget* parent, const TAdicPart& part) {
    auto* label = new QLabel(QString::fromUtf8(part.caption), parent);
    label->setObjectName(QLatin1String(part.label));
    return label;
}

// Adds the edits of `part` to `line`; true when one of them stretches.
bool AddEdits(QHBoxLayout* line, QLabel* label, QWidget* parent, TDataSource* source,
              const TAdicPart& part) {
    bool stretches = false;
    for (const auto& e : part.edits) {
        if (!e.field)
            continue;
        TDBEdit* edit = NewShownField(
            parent, source, e.field,
            e.chars > 0 ? parent->fontMetrics().averageCharWidth() * e.chars + 12 : 0);
        line->addWidget(edit, e.chars > 0 ? 0 : 1);
        stretches = stretches || e.chars == 0;
        if (!label->buddy())
            label->setBuddy(edit);
    }
    return stretches;
}

// Lays `rows` out on `grid` from row `first`: the first caption in column 0,
// the rest of the row in column 1.
void AddRows(QGridLayout* grid, int first, QWidget* parent, TDataSource* source,
             std::initializer_list<TAdicRow> rows) {
    int r = first;
    for (const TAdicRow& row : rows) {
        QLabel* label = Caption(parent, row.first);
        grid->addWidget(label, r, 0);
        auto* line = new QHBoxLayout;
        bool stretches = AddEdits(line, label, parent, source, row.first);
        if (row.second.label) {
            QLabel* second = Caption(parent, row.second);
            line->addWidget(second);
            stretches = AddEdits(line, second, parent, source, row.second) || stretches;
        }
        if (!stretches)
            line->addStretch(1);
        grid->addLayout(line, r, 1);
        ++r;
    }
}

} // namespace

TDataSource* TfrmFechaOrca::OrcaLeitura() {
    if (!dtsOrcaLeitura) {
        dtsOrcaLeitura = new TDataSource(this);
        dtsOrcaLeitura->setObjectName(QStringLiteral("dtsOrcaLeitura"));
        dtsOrcaLeitura->SetDataSet(data.cdsOrcaEvento);
        dtsOrcaLeitura->SetReadOnly(true);
    }
    return dtsOrcaLeitura;
}

void TfrmFechaOrca::BuildDadosAdicPage() {
    TDataSource* orca = OrcaLeitura();
    auto* adic = new QVBoxLayout(tshDadosAdic);
    adic->setContentsMargins(6, 6, 6, 6);
    adic->setSpacing(4);
    auto* top = new QGridLayout;
    top->setColumnStretch(1, 1);
    AddRows(top, 0, tshDadosAdic, orca,
            {{{"lblTitulo", "Título", {{"DSTITUORCEVE", 0}, {}}}, {}},
             {{"lblFaculdade", "Faculdade", {{"CDESCOLA", 10}, {"NMESCOLA", 0}}},
              {"lblCurso", "Curso", {{"CDCURSO", 4}, {"NMCURSO", 0}}}}});
    adic->addLayout(top);
    adic->addWidget(BuildContratanteGroup(tshDadosAdic));

    // The delivery address beside the halls: one above the other would not
    // fit an 800 × 600 desktop.
    auto* bottom = new QHBoxLayout;
    auto* grbEndeEntrega = new QGroupBox(QStringLiteral("Endereço de Entrega"), tshDadosAdic);
    grbEndeEntrega->setObjectName(QStringLiteral("grbEndeEntrega"));
    auto* ende = new QGridLayout(grbEndeEntrega);
    ende->setColumnStretch(1, 1);
    cbbEndeCliente = new QComboBox(grbEndeEntrega);
    cbbEndeCliente->setObjectName(QStringLiteral("cbbEndeCliente"));
    cbbEndeCliente->addItems({QStringLiteral("Outro Endereço"),
                              QStringLiteral("Endereço do Cliente"),
                              QStringLiteral("Endereço do Salão")});
    // Shows the budget's kind of address; it is not chosen here.
    ShowOnly(cbbEndeCliente);
    ende->addWidget(cbbEndeCliente, 0, 1, Qt::AlignLeft);
    AddRows(ende, 1, grbEndeEntrega, orca,
            {{{"lblEndereco", "Endereço", {{"DSENDENTOREV", 0}, {}}}, {}},
             {{"lblPais", "País", {{"CDPAIS", 4}, {"NMPAIS", 0}}},
              {"lblEstado", "Estado", {{"SGESTADO", 2}, {}}}},
             {{"lblMunicipio", "Município", {{"CDMUNICIPIO", 4}, {"NMMUNICIPIO", 0}}}, {}},
             {{"lblBairro", "Bairro", {{"CDBAIRRO", 10}, {"NMBAIENTOREV", 0}}}, {}},
             {{"lblReferencia", "Refência", {{"DSREFENDOREV", 0}, {}}}, {}},
             {{"lblComplemento", "Complemento", {{"DSCOMPENDORCEVE", 0}, {}}}, {}}});
    ende->setRowStretch(7, 1);
    bottom->addWidget(grbEndeEntrega, 2);

    dbgSalaoEven = new TDBGrid(tshDadosAdic);
    dbgSalaoEven->setObjectName(QStringLiteral("dbgSalaoEven"));
    dbgSalaoEven->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::ColLines |
                             TGridOption::RowLines | TGridOption::Tabs |
                             TGridOption::ConfirmDelete | TGridOption::CancelOnExit);
    OnToolTipGround(dbgSalaoEven);
    dbgSalaoEven->SetDataSource(data.dtsSalaoEven);
    std::vector<TGridColumn> halls = {
        {QStringLiteral("CDSALAOEVEN"), QStringLiteral("Código"), 44},
        {QStringLiteral("NMSALAOEVEN"), QStringLiteral("Nome do Salao / Ambiente"), 158},
        {QStringLiteral("IDSITAGENSAL"), QStringLiteral("Agendamento"), 85},
        {QStringLiteral("NRRESERSALAO"), QStringLiteral("Nr. Reserva"), 72},
        {QStringLiteral("DTVALRESESAL"), QStringLiteral("Validade"), 80}};
    // Each as wide as its title at least.
    const QFontMetrics titles = dbgSalaoEven->horizontalHeader()->fontMetrics();
    const int margins =
        2 * dbgSalaoEven->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, dbgSalaoEven);
    for (TGridColumn& c : halls)
        c.Width = std::max(c.Width, titles.horizontalAdvance(c.Title) + margins);
    dbgSalaoEven->SetColumns(std::move(halls));
    bottom->addWidget(dbgSalaoEven, 3);
    adic->addLayout(bottom, 1);

    // The booking state shows as its catalogue text, whatever its case.
    data.cdsSalaoEven->FieldByName("IDSITAGENSAL").OnGetText = [this](const TField& f,
                                                                      QString& text, bool) {
        const QString state = f.AsString().toUpper();
        text = state == u"A" || state == u"R" ? msgPadrao->Msg(state) : QString();
    };
    // The kind of address follows the budget shown, on whatever page.
    connect(orca, &TDataSource::dataChanged, this, [this](const TField* field) {
        if (!field || field->FieldName() == u"IDENDENTOREV")
            ShowEnderecoEntrega();
    });
}

void TfrmFechaOrca::ShowEnderecoEntrega() {
    const QString kind = data.cdsOrcaEvento->FieldByName("IDENDENTOREV").AsString();
    int item = 0;
    if (kind.startsWith(u'C'))
        item = 1;
    else if (kind.startsWith(u'P'))
        item = 2;
    cbbEndeCliente->setCurrentIndex(item);
}
