// "Dados Adicionais": title, school, the contracting client, the delivery
// address and the halls.

#include "ore/ore00800/Cli_ore00800.h"

#include "framework/widgets/TabSheet.h"

#include <QGroupBox>
#include <QVBoxLayout>

void TfrmFechaOrca::BuildDadosAdicPage() {
    auto* adic = new QVBoxLayout(tshDadosAdic);
    adic->addWidget(BuildContratanteGroup(tshDadosAdic));
    adic->addStretch(1);
}

void TfrmFechaOrca::ShowEnderecoEntrega() {}
