#pragma once

#include <QObject>
#include <QString>

class QComboBox;

// The country, state and municipality of an address, each chosen in a combo
// from the database's tables (read-only, on the shared connection): the
// states offered are the chosen country's, the municipalities the chosen
// state's. The first entry of each combo is empty: no choice.
class TEndeClieLocais : public QObject {
    Q_OBJECT
public:
    TEndeClieLocais(QComboBox* pais, QComboBox* estado, QComboBox* municipio,
                    QObject* parent = nullptr);

    // Reads the countries; the other two combos stay empty until a choice.
    void Carrega();
    // Chooses the three codes, as far as the database knows them.
    void Escolhe(const QString& pais, const QString& estado, const QString& municipio);

    QString Pais() const;
    QString NomePais() const;
    QString Estado() const;
    QString Municipio() const;
    QString NomeMunicipio() const;

private:
    void PaisMudou();
    void EstadoMudou();

    QComboBox* m_pais;
    QComboBox* m_estado;
    QComboBox* m_municipio;
};
