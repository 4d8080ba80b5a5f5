#pragma once

#include "core/db/DbConnection.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Pictures.h"
#include "storage/Schema.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A scratch business database with the real schema, made the session's
// shared one for its lifetime (in place of the demo's), holding a few rows of what the filter's
// pickers list:
//   branches 0001 and 0002; product code picture "0.00.000";
//   products: groups 1 Bebidas, 101 Sucos, 2 Serviços, 201 Equipe, and the
//   leaves 101001 Suco de Laranja (11), 101002 Suco de Uva (12),
//   201001 Garçom (21, labour); branch 0001 offers 11, 12 and 21, 0002 only 12;
//   sellers 0001 Ana, 0002 Bruno, 0009 Carla (a manager);
//   customers F12345678901 Maria and J12345678000199 Festas with main
//   addresses, and J11111111000111 Sem Endereço without one;
//   event types CAS, FOR; service types BUF, DEC.
class TFiltroTestDb {
public:
    TFiltroTestDb() {
        EXPECT_TRUE(m_dir.isValid());
        m_db = std::make_unique<TDbConnection>(m_dir.filePath(QStringLiteral("ore.db")));
        CreateSchema(*m_db);
        m_db->ExecScript(QStringLiteral(
            "INSERT INTO PAIS VALUES ('1058', 'Brasil');"
            "INSERT INTO ESTADO VALUES ('1058', 'SP', 'São Paulo');"
            "INSERT INTO MUNICIPIO VALUES ('1058', 'SP', '0001', 'Campinas');"
            "INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES ('0001', 'Centro'), ('0002', 'Praia');"
            "INSERT INTO PICTURE VALUES (0, 'Código de Produto', '0.00.000;0;_', '.');"
            "INSERT INTO PICTURENIVEL VALUES (0, 1, 1), (0, 2, 2), (0, 3, 3);"
            "INSERT INTO PRODUTO (CDPRODUTO, CDARVPROD, NMPRODUTO, CDNVPRODUTO, IDMOBRAPROD) VALUES"
            " ('1', '1', 'Bebidas', 1, 'N'), ('2', '101', 'Sucos', 2, 'N'),"
            " ('11', '101001', 'Suco de Laranja', 3, 'N'), ('12', '101002', 'Suco de Uva', 3, 'N'),"
            " ('3', '2', 'Serviços', 1, 'N'), ('4', '201', 'Equipe', 2, 'N'),"
            " ('21', '201001', 'Garçom', 3, 'S');"
            "INSERT INTO PRODFILIAL (CDFILIAL, CDPRODUTO) VALUES"
            " ('0001', '11'), ('0001', '12'), ('0001', '21'), ('0002', '12');"
            "INSERT INTO VENDEDOR (CDVENDEDOR, NMFANVEN, IDTPVENDEDOR) VALUES"
            " ('0002', 'Bruno', 'V'), ('0001', 'Ana', 'V'), ('0009', 'Carla', 'G');"
            "INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, NMRAZSOCCLIE, NMFANTCLIE)"
            " VALUES ('J12345678000199', 'J', '12345678000199', 'Festas Ltda', 'Festas'),"
            " ('F12345678901', 'F', '12345678901', 'Maria Souza', 'Maria'),"
            " ('J11111111000111', 'J', '11111111000111', 'Sem Endereço Ltda', 'Sem Endereço');"
            "INSERT INTO ENDECLIE (CDCLIENTE, IDTPENDECLIE, CDPAIS, SGESTADO, CDMUNICIPIO,"
            " DSENDECLIE) VALUES"
            " ('F12345678901', 'P', '1058', 'SP', '0001', 'Rua A, 1'),"
            " ('J12345678000199', 'P', '1058', 'SP', '0001', 'Rua B, 2'),"
            " ('J11111111000111', 'C', '1058', 'SP', '0001', 'Rua C, 3');"
            "INSERT INTO TIPOEVENTO (CDTIPOEVENTO, NMTIPOEVENTO) VALUES"
            " ('FOR', 'Formatura'), ('CAS', 'Casamento');"
            "INSERT INTO TIPOSERVEVEN VALUES ('DEC', 'Decoração'), ('BUF', 'Bufê');"));
        SetSharedDatabase(m_db.get());
        ResetPictureCache();
    }
    ~TFiltroTestDb() {
        SetSharedDatabase(nullptr);
        ResetPictureCache();
    }
    TFiltroTestDb(const TFiltroTestDb&) = delete;
    TFiltroTestDb& operator=(const TFiltroTestDb&) = delete;

    void Exec(const QString& script) { m_db->ExecScript(script); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_db;
};
