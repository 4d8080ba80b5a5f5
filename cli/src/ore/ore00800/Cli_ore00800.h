#pragma once

#include "FechaOrcaData.h"
#include "FechaOrcaQueries.h"

#include "FrmPadrao.h"

#include <QSize>

// The budget-closing screen, on the base maintenance screen: for now its
// window, its code and the data it owns; its own controls and handlers come next.
class TfrmFechaOrca : public TfrmPadrao {
    Q_OBJECT
public:
    TfrmFechaOrca();
    ~TfrmFechaOrca() override;

    TFechaOrcaData data;
    TFechaOrcaQueries queries;

    void FormClose(TCloseAction& action) override;
};

extern TfrmFechaOrca* frmFechaOrca; // the screen the factory made, or null
extern bool boStCriado;             // true while that screen exists

// The desktop's size: the primary screen's geometry.
QSize DesktopSize();

// Opens the screen (not modal): creates it on the first call, reuses it after;
// a 640×480 desktop gets it maximised, any other the normal state.
void CriaFechaOrca(QSize desktop = DesktopSize());

// Unit initialisation and finalisation, run when the module is loaded and unloaded.
void InitializeCli_ore00800();
void FinalizeCli_ore00800();
