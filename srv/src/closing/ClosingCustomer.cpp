#include "closing/ClosingWriters.h"

#include "closing/ClosingSql.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "storage/DbDate.h"

QString RegistraCliente(TDbConnection& db, TOrca& o, const TNovoCliente& novo) {
    const QString codigo = novo.Codigo();
    if (!ClienteCadastrado(db, codigo)) {
        const QString razao = !novo.razao.isEmpty()      ? novo.razao
                              : !novo.fantasia.isEmpty() ? novo.fantasia
                                                         : o.nomeNovo;
        ExecSql(db,
                QStringLiteral("INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, "
                               "NMRAZSOCCLIE, NMFANTCLIE, IDCLIEATIV, DTCADCLIE) VALUES (:CLIENTE, "
                               ":TIPO, :INSCRICAO, :RAZAO, :FANTASIA, 'S', :HOJE)"),
                {{QStringLiteral("CLIENTE"), codigo},
                 {QStringLiteral("TIPO"), novo.tipo},
                 {QStringLiteral("INSCRICAO"), novo.inscricao},
                 {QStringLiteral("RAZAO"), razao.left(50)},
                 {QStringLiteral("FANTASIA"), Nullable(novo.fantasia.left(50))},
                 {QStringLiteral("HOJE"), DbNow()}});
        if (novo.TemEndereco()) {
            ExecSql(db,
                    QStringLiteral("INSERT INTO ENDECLIE (CDCLIENTE, IDTPENDECLIE, CDPAIS, "
                                   "SGESTADO, CDMUNICIPIO, DSENDECLIE, NMBAIRCLIE, DSCOMPENDCLIE, "
                                   "NRCEPCLIE, NRTELECLIE, DSEMAILCLIE) VALUES (:CLIENTE, 'P', "
                                   ":PAIS, :ESTADO, :MUNICIPIO, :ENDERECO, :BAIRRO, :COMPL, :CEP, "
                                   ":FONE, :EMAIL)"),
                    {{QStringLiteral("PAIS"), novo.pais},
                     {QStringLiteral("ESTADO"), novo.estado},
                     {QStringLiteral("MUNICIPIO"), novo.municipio},
                     {QStringLiteral("CLIENTE"), codigo},
                     {QStringLiteral("ENDERECO"), novo.endereco.left(50)},
                     {QStringLiteral("BAIRRO"), Nullable(novo.bairro.left(30))},
                     {QStringLiteral("COMPL"), Nullable(novo.complemento.left(200))},
                     {QStringLiteral("CEP"), Nullable(novo.cep.left(15))},
                     {QStringLiteral("FONE"), Nullable(novo.telefone.left(25))},
                     {QStringLiteral("EMAIL"), Nullable(novo.email.left(50))}});
        }
    }
    ExecSql(db,
            QStringLiteral("UPDATE ORCAEVENTO SET IDSITCLIOREV = 'C', CDCLIENTE = :CLIENTE, "
                           "NMCLIEORCEVE = NULL WHERE CDFILIAL = :FILIAL AND NRORCAEVENTO = "
                           ":NUMERO AND NRSEQORCAEVE = :SEQ"),
            With(KeyParams(o.key), {{QStringLiteral("CLIENTE"), codigo}}));
    o.sitCliente = QStringLiteral("C");
    o.cliente = codigo;
    return codigo;
}
