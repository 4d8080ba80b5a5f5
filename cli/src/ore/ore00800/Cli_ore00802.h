#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class TDataSet;
class TDataSource;
class TDBGrid;
class TPictureBox;

// "Atenção": tells the operator why a budget cannot be approved, above a grid
// of the products concerned.
class TfrmErroAprova : public QDialog {
    Q_OBJECT
public:
    TfrmErroAprova();
    ~TfrmErroAprova() override;

    QFrame* Panel1 = nullptr;
    TPictureBox* imgErroOri = nullptr;
    QFrame* Panel2 = nullptr;
    TDBGrid* dbgMensagem = nullptr;
    QPushButton* btnOK = nullptr;
    QPlainTextEdit* memInforma = nullptr;
    TDataSource* dtsProduto = nullptr;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void btnOKClick();
    // Kept: one of the dialog's designed handlers, though no control uses it.
    void btnSimClick();
    bool FormKeyDown(QKeyEvent* key);
    void FormClose();
    void FormActivate();
};

extern TfrmErroAprova* frmErroAprova; // the dialog on screen, or null

// Shows `stMensErro` over the records of `cdsErro` and returns once the
// operator has closed the dialog.
void CriaErroAprova(TDataSet* cdsErro, const QString& stMensErro);
