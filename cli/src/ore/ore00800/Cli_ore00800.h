#pragma once

#include "FechaOrcaData.h"
#include "FechaOrcaQueries.h"

#include <QSize>
#include <QWidget>

// The budget-closing screen. For now its window and the data it owns; the
// controls and their handlers come with the base screen it will derive from.
class TfrmFechaOrca : public QWidget {
    Q_OBJECT
public:
    TfrmFechaOrca();
    ~TfrmFechaOrca() override;

    TFechaOrcaData data;
    TFechaOrcaQueries queries;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormClose();
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
