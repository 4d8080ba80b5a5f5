#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class TOptionSetStore;

// The filter dialog's option-set window: in save mode the operator types a
// name (or picks an existing one to replace it); in load mode picks a saved
// set, and may delete sets from the store meanwhile. Run through
// TModalRunner::Exec; after Accepted, Name() is the set chosen.
class TfrmOpcoes : public QDialog {
    Q_OBJECT
public:
    enum class TMode { Save, Load };

    TfrmOpcoes(TMode mode, TOptionSetStore& store, QWidget* parent = nullptr);

    // The name typed (save) or picked (load), trimmed.
    QString Name() const;

private:
    QString SelectedName() const;
    void UpdateButtons();
    void btnOKClick();
    void btnExcluirClick();

    TMode m_mode;
    TOptionSetStore& m_store;
    QListWidget* lstOpcoes;
    QLineEdit* edtNome;
    QPushButton* btnOK;
    QPushButton* btnExcluir;
    QPushButton* btnCancelar;
};
