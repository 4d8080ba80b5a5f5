#include "seed/DemoSeed.h"

#include "core/db/DbError.h"
#include "seed/SeedWriter.h"
#include "storage/DbDate.h"

#include <QDate>

#include <tuple>

namespace {

using W = TTableWriter;

QStringList Cols(const char* list) {
    return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
}

const std::vector<TDemoProduct> kProducts = {
    // Food
    {"1000", "1", "Alimentação", nullptr, nullptr, nullptr, 0, false},
    {"1010", "101", "Salgados", nullptr, nullptr, nullptr, 0, false},
    {"1011", "101001", "Coxinha de frango (cento)", "CT", "001", "001", 95.00, false},
    {"1012", "101002", "Empada de palmito (cento)", "CT", "001", "001", 110.00, false},
    {"1013", "101003", "Quibe (cento)", "CT", "001", "001", 90.00, false},
    {"1014", "101004", "Canapé de salmão (cento)", "CT", "001", "001", 240.00, false},
    {"1020", "102", "Pratos quentes", nullptr, nullptr, nullptr, 0, false},
    {"1021", "102001", "Risoto de cogumelos", "KG", "001", "001", 68.00, false},
    {"1022", "102002", "Filé ao molho madeira", "PORC", "001", "001", 32.50, false},
    {"1023", "102003", "Salmão grelhado", "PORC", "001", "001", 38.90, false},
    {"1030", "103", "Doces e sobremesas", nullptr, nullptr, nullptr, 0, false},
    {"1031", "103001", "Bem-casado", "UN", "006", "001", 4.20, false},
    {"1032", "103002", "Bolo decorado", "KG", "006", "001", 120.00, false},
    {"1033", "103003", "Brigadeiro gourmet (cento)", "CT", "006", "001", 180.00, false},
    // Drinks
    {"2000", "2", "Bebidas", nullptr, nullptr, nullptr, 0, false},
    {"2010", "201", "Bebidas não alcoólicas", nullptr, nullptr, nullptr, 0, false},
    {"2011", "201001", "Refrigerante lata", "UN", "002", "002", 5.50, false},
    {"2012", "201002", "Suco natural", "L", "002", "002", 14.00, false},
    {"2013", "201003", "Água mineral 500 ml", "UN", "002", "002", 3.20, false},
    {"2020", "202", "Bebidas alcoólicas", nullptr, nullptr, nullptr, 0, false},
    {"2021", "202001", "Cerveja long neck", "UN", "002", "002", 9.90, false},
    {"2022", "202002", "Espumante brut", "GF", "002", "002", 62.00, false},
    {"2023", "202003", "Chope", "L", "002", "002", 18.50, false},
    // Decoration
    {"3000", "3", "Decoração", nullptr, nullptr, nullptr, 0, false},
    {"3010", "301", "Flores e arranjos", nullptr, nullptr, nullptr, 0, false},
    {"3011", "301001", "Arranjo de mesa", "UN", "003", "003", 85.00, false},
    {"3012", "301002", "Buquê da noiva", "UN", "003", "003", 350.00, false},
    {"3013", "301003", "Escultura de gelo", "UN", "003", "008", 1200.00, false},
    {"3020", "302", "Mobiliário", nullptr, nullptr, nullptr, 0, false},
    {"3021", "302001", "Mesa redonda com toalha", "UN", "003", "003", 45.00, false},
    {"3022", "302002", "Cadeira Tiffany", "UN", "003", "003", 12.00, false},
    // Sound and light
    {"4000", "4", "Som e iluminação", nullptr, nullptr, nullptr, 0, false},
    {"4010", "401", "Som", nullptr, nullptr, nullptr, 0, false},
    {"4011", "401001", "DJ com equipamento", "EVT", "005", "005", 2200.00, false},
    {"4012", "401002", "Banda ao vivo", "EVT", "005", "005", 6500.00, false},
    {"4020", "402", "Iluminação", nullptr, nullptr, nullptr, 0, false},
    {"4021", "402001", "Iluminação cênica", "EVT", "005", "005", 1800.00, false},
    // Labour
    {"9000", "9", "Mão de obra", nullptr, nullptr, nullptr, 0, true},
    {"9010", "901", "Serviço de salão", nullptr, nullptr, nullptr, 0, true},
    {"9011", "901001", "Garçom", "H", "004", "004", 28.00, true},
    {"9012", "901002", "Copeira", "H", "004", "004", 24.00, true},
    {"9013", "901003", "Maître", "H", "004", "004", 45.00, true},
    {"9014", "901004", "Segurança", "H", "004", "004", 35.00, true},
    {"9015", "901005", "Recepcionista", "H", "004", "004", 26.00, true},
    {"9020", "902", "Cozinha", nullptr, nullptr, nullptr, 0, true},
    {"9021", "902001", "Cozinheiro", "H", "004", "004", 40.00, true},
    {"9022", "902002", "Auxiliar de cozinha", "H", "004", "004", 25.00, true},
};

struct TCustomer {
    const char* kind;
    const char* number;
    const char* company;
    const char* trade;
    bool active;
    const char* modPgto;
    const char* seller;
    // Main address
    const char* state;
    const char* city;
    const char* street;
    const char* district;
    const char* zip;
    const char* phone;
    const char* email;
};

const TCustomer kCustomers[] = {
    {"J", "45678912000134", "Construtora Horizonte S.A.", "Horizonte Construtora", true, "00001",
     "0005", "SP", "0001", "Av. Paulista, 1500 - 12º andar", "Bela Vista", "01310-200",
     "(11) 3251-4400", "eventos@horizonte.com.br"},
    {"F", "39053344705", "Mariana Costa Ferreira", "Mariana Ferreira", true, "00003", "0005", "SP",
     "0001", "Rua Harmonia, 221 - ap. 54", "Vila Madalena", "05435-000", "(11) 98877-1122",
     "mariana.ferreira@email.com.br"},
    {"F", "52998224725", "Pedro Henrique Alves", "Pedro Alves", true, "00002", "0006", "SP", "0001",
     "Rua Tuim, 480", "Moema", "04514-100", "(11) 99123-4567", "pedro.alves@email.com.br"},
    {"F", "11144477735", "Lucas Oliveira Santos", "Lucas Santos", true, "00003", "0006", "SP",
     "0002", "Rua Barão de Jaguara, 900", "Centro", "13015-001", "(19) 99777-6655",
     "lucas.santos@email.com.br"},
    {"J", "11444777000161", "Associação dos Formandos de Direito da USP", "Formandos Direito USP",
     true, "00001", "0005", "SP", "0001", "Largo São Francisco, 95", "Centro", "01005-010",
     "(11) 3111-4000", "comissao@formandosdireito.org.br"},
    {"F", "98765432100", "Beatriz Rocha Lima", "Beatriz Lima", true, nullptr, nullptr, "SP", "0003",
     "Av. Ana Costa, 310 - ap. 12", "Gonzaga", "11060-002", "(13) 99654-3210",
     "beatriz.lima@email.com.br"},
    {"F", "74185296300", "Ricardo Nunes Barbosa", "Ricardo Nunes", false, "00002", "0007", "RJ",
     "0010", "Rua Voluntários da Pátria, 45", "Botafogo", "22270-000", "(21) 98111-2233",
     "ricardo.nunes@email.com.br"},
    {"J", "60701190000104", "Banco Aurora S.A.", "Banco Aurora", true, "00003", "0007", "RJ",
     "0010", "Av. Rio Branco, 80 - 20º andar", "Centro", "20040-070", "(21) 3003-8000",
     "relacionamento@bancoaurora.com.br"},
    {"F", "12312312387", "Camila Teixeira Rocha", "Camila Teixeira", true, "00003", "0006", "SP",
     "0001", "Rua Oscar Freire, 1200", "Jardins", "01426-001", "(11) 99555-8899",
     "camila.teixeira@email.com.br"},
    {"F", "32132132109", "José Carlos Ferreira", "José Carlos Ferreira", true, "00001", "0005",
     "SP", "0001", "Rua Harmonia, 221 - ap. 54", "Vila Madalena", "05435-000", "(11) 97766-5544",
     "jcferreira@email.com.br"},
    {"F", "45645645600", "Patrícia Gomes de Albuquerque", "Patrícia Albuquerque", true, "00003",
     "0006", "SP", "0001", "Rua Pamplona, 77", "Jardim Paulista", "01405-000", "(11) 98444-3322",
     "patricia.albuquerque@email.com.br"},
    {"F", "85296374100", "Antônio Carlos Mendonça", "Antônio Mendonça", true, "00001", "0008", "MG",
     "0020", "Av. Afonso Pena, 3000", "Funcionários", "30130-009", "(31) 99888-7766",
     "antonio.mendonca@email.com.br"},
    {"J", "33000167000101", "Cooperativa Agrícola Vale Verde", "Coop. Vale Verde", true, "00001",
     "0008", "PR", "0030", "Rua XV de Novembro, 1200", "Centro", "80060-000", "(41) 3322-1100",
     "eventos@valeverde.coop.br"},
    {"F", "96385274100", "Gabriela Souza Martins", "Gabriela Martins", true, "00002", "0007", "RS",
     "0040", "Rua Padre Chagas, 300", "Moinhos de Vento", "90570-080", "(51) 99321-6547",
     "gabriela.martins@email.com.br"},
    {"F", "15975345600", "Rafael Duarte Kowalski", "Rafael Kowalski", true, "00003", "0007", "SC",
     "0050", "Av. Beira-Mar Norte, 2000", "Centro", "88015-700", "(48) 99987-1234",
     "rafael.kowalski@email.com.br"},
};

QString CustomerCode(const TCustomer& c) {
    return QString::fromLatin1(c.kind) + QString::fromLatin1(c.number);
}

QVariant Opt(const char* s) {
    return s ? QVariant(QString::fromUtf8(s)) : QVariant();
}

} // namespace

int TDemoProduct::Level() const {
    const int n = int(qstrlen(tree));
    return n <= 1 ? 1 : n <= 3 ? 2 : 3;
}

const std::vector<TDemoProduct>& DemoProducts() {
    return kProducts;
}

const TDemoProduct& DemoProduct(const QString& tree) {
    for (const auto& p : kProducts)
        if (tree == QLatin1String(p.tree))
            return p;
    throw EDbError(QStringLiteral("Produto de demonstração inexistente: %1").arg(tree));
}

const std::vector<QString>& DemoCustomerCodes() {
    static const std::vector<QString> codes = [] {
        std::vector<QString> v;
        for (const auto& c : kCustomers)
            if (c.active)
                v.push_back(CustomerCode(c));
        return v;
    }();
    return codes;
}

const std::vector<TDemoSeller>& DemoSellers() {
    static const std::vector<TDemoSeller> sellers = {
        {QStringLiteral("0005"), QStringLiteral("0001"), QStringLiteral("0003")},
        {QStringLiteral("0006"), QStringLiteral("0001"), QStringLiteral("0003")},
        {QStringLiteral("0007"), QStringLiteral("0002"), QStringLiteral("0004")},
        {QStringLiteral("0008"), QStringLiteral("0002"), QStringLiteral("0004")},
        {QStringLiteral("0009"), QString(), QString()},
    };
    return sellers;
}

void LoadDemoCatalogs(TDbConnection& db) {
    W pais(db, "PAIS", Cols("CDPAIS,NMPAIS"), true);
    pais.Row({"1058", "Brasil"});

    W estado(db, "ESTADO", Cols("CDPAIS,SGESTADO,NMESTADO"), true);
    for (const auto& [uf, name] :
         std::initializer_list<std::pair<const char*, const char*>>{{"SP", "São Paulo"},
                                                                    {"RJ", "Rio de Janeiro"},
                                                                    {"MG", "Minas Gerais"},
                                                                    {"PR", "Paraná"},
                                                                    {"RS", "Rio Grande do Sul"},
                                                                    {"SC", "Santa Catarina"}})
        estado.Row({"1058", uf, QString::fromUtf8(name)});

    W municipio(db, "MUNICIPIO", Cols("CDPAIS,SGESTADO,CDMUNICIPIO,NMMUNICIPIO"), true);
    for (const auto& [uf, code, name] :
         std::initializer_list<std::tuple<const char*, const char*, const char*>>{
             {"SP", "0001", "São Paulo"},
             {"SP", "0002", "Campinas"},
             {"SP", "0003", "Santos"},
             {"RJ", "0010", "Rio de Janeiro"},
             {"RJ", "0011", "Niterói"},
             {"MG", "0020", "Belo Horizonte"},
             {"PR", "0030", "Curitiba"},
             {"RS", "0040", "Porto Alegre"},
             {"SC", "0050", "Florianópolis"}})
        municipio.Row({"1058", uf, code, QString::fromUtf8(name)});

    // 0003 has no state registration; 0002 bills only for the Rio branch.
    W empresa(db, "EMPRESA",
              Cols("CDEMPRESA,NMRAZSOCEMP,NMFANTEMP,IDTPIJUREMP,NRINSJUREMP,NRINSCESTA"), true);
    empresa.Row({"0001", "Celebrar Eventos Ltda.", "Celebrar Eventos", "J", "12345678000190",
                 "110042490114"});
    empresa.Row(
        {"0002", "Celebrar Rio Eventos Ltda.", "Celebrar Rio", "J", "23456789000107", "86543210"});
    empresa.Row({"0003", "Celebrar Serviços de Festas Ltda.", "Celebrar Serviços", "J",
                 "34567890000115", QVariant()});

    W depto(db, "DEPARTAMENTO", Cols("CDDEPTO,NMDEPTO"), true);
    for (const auto& [code, name] :
         std::initializer_list<std::pair<const char*, const char*>>{{"001", "Cozinha"},
                                                                    {"002", "Bebidas"},
                                                                    {"003", "Decoração"},
                                                                    {"004", "Recursos Humanos"},
                                                                    {"005", "Som e Iluminação"},
                                                                    {"006", "Comercial"},
                                                                    {"007", "Confeitaria"},
                                                                    {"008", "Gelo e Esculturas"}})
        depto.Row({code, QString::fromUtf8(name)});

    // The product code: one digit, two digits, three digits ("1.01.001").
    W picture(db, "PICTURE", Cols("IDTPPICTURE,NMPICTURE,DSMASCARA,DSSEPARADOR"), true);
    picture.Row({0, "Código de Produto", "0.00.000;0;_", "."});
    W nivel(db, "PICTURENIVEL", Cols("IDTPPICTURE,NRNIVEL,QTDIGITOS"), true);
    nivel.Row({0, 1, 1});
    nivel.Row({0, 2, 2});
    nivel.Row({0, 3, 3});

    W grupo(db, "GRTOTAPROD", Cols("CDGRTOTAPROD,NMGRTOTAPROD"), true);
    for (const auto& [code, name] :
         std::initializer_list<std::pair<const char*, const char*>>{{"001", "Alimentação"},
                                                                    {"002", "Bebidas"},
                                                                    {"003", "Decoração"},
                                                                    {"004", "Mão de Obra"},
                                                                    {"005", "Som e Luz"},
                                                                    {"006", "Doces"}})
        grupo.Row({code, QString::fromUtf8(name)});

    W produto(db, "PRODUTO",
              Cols("CDPRODUTO,CDARVPROD,NMPRODUTO,CDNVPRODUTO,SGUNIDADE,CDGRTOTAPROD,IDMOBRAPROD"),
              true);
    for (const auto& p : kProducts)
        produto.Row({p.code, p.tree, QString::fromUtf8(p.name), p.Level(), Opt(p.unit),
                     Opt(p.group), p.labour ? "S" : "N"});

    W preco(db, "PRECOBASE", Cols("CDPRECOBASE,DSPRECOBASE"), true);
    preco.Row({"01", "Tabela Padrão"});
    preco.Row({"02", "Tabela Promocional"});
    preco.Row({"03", "Tabela de Mão de Obra"});

    W fornecedor(db, "FORNECEDOR",
                 Cols("CDFORNECEDOR,IDTPIJURFORN,NRINSJURFORN,NMFANTFORN,NMRAZSOCFORN"), true);
    fornecedor.Row(
        {"J11222333000181", "J", "11222333000181", "Flora Bella", "Flora Bella Decorações Ltda."});
    fornecedor.Row(
        {"J22333444000172", "J", "22333444000172", "Som Total", "Som Total Eventos Ltda."});
    fornecedor.Row({"F12345678909", "F", "12345678909", "DJ Pedro Lima", "Pedro Henrique Lima"});

    W turno(db, "TURNO", Cols("NRTURNO,DSTURNO"), true);
    turno.Row({"01", "Equipe de salão"});
    turno.Row({"02", "Equipe de cozinha"});
    turno.Row({"03", "Equipe de apoio"});

    W tipoEvento(db, "TIPOEVENTO", Cols("CDTIPOEVENTO,NMTIPOEVENTO,IDCUSTOEFETIVO"), true);
    tipoEvento.Row({"001", "Casamento", "N"});
    tipoEvento.Row({"002", "Aniversário", "N"});
    tipoEvento.Row({"003", "Formatura", "N"});
    tipoEvento.Row({"004", "Evento Corporativo", "S"});
    tipoEvento.Row({"005", "Bodas", "N"});
    tipoEvento.Row({"006", "Confraternização", "S"});

    W tipoServ(db, "TIPOSERVEVEN", Cols("CDTPSERVEVEN,NMTPSERVEVEN"), true);
    tipoServ.Row({"001", "Buffet completo"});
    tipoServ.Row({"002", "Coquetel"});
    tipoServ.Row({"003", "Coffee break"});
    tipoServ.Row({"004", "Churrasco"});
    tipoServ.Row({"005", "Jantar empratado"});

    W tipoRece(db, "TIPORECEORCA", Cols("CDTPRECEOREV,NMTPRECEOREV,IDTPRECEOREV"), true);
    tipoRece.Row({"01", "Normal", "N"});
    tipoRece.Row({"02", "Cortesia", "C"});
    tipoRece.Row({"03", "Permuta", "P"});

    W modPgto(db, "MODPGTO", Cols("CDMODPGTO,DSMODPGTO"), true);
    modPgto.Row({"00001", "Boleto bancário"});
    modPgto.Row({"00002", "Cartão de crédito"});
    modPgto.Row({"00003", "Transferência bancária / PIX"});
    modPgto.Row({"00004", "Cheque"});

    W forma(db, "FORMAPGTO", Cols("CDFORMPGTO,NMFORMPGTO"), true);
    forma.Row({"01", "À vista"});
    forma.Row({"02", "30/60/90 dias"});
    forma.Row({"03", "Entrada + 30/60 dias"});
    W prazo(db, "PRAZOFORMPGTO", Cols("CDFORMPGTO,NRPARCELA,QTDIASPRAZO,VRPERCPARC"), true);
    prazo.Row({"01", 1, 0, 100.0});
    prazo.Row({"02", 1, 30, 33.33});
    prazo.Row({"02", 2, 60, 33.33});
    prazo.Row({"02", 3, 90, 33.34});
    prazo.Row({"03", 1, 0, 40.0});
    prazo.Row({"03", 2, 30, 30.0});
    prazo.Row({"03", 3, 60, 30.0});

    W escola(db, "ESCOLA", Cols("CDESCOLA,NMESCOLA"), true);
    escola.Row({"USP", "Universidade de São Paulo"});
    escola.Row({"PUCSP", "Pontifícia Universidade Católica de SP"});
    escola.Row({"UNICAMP", "Universidade Estadual de Campinas"});
    W curso(db, "CURSO", Cols("CDCURSO,NMCURSO"), true);
    curso.Row({"0001", "Direito"});
    curso.Row({"0002", "Medicina"});
    curso.Row({"0003", "Engenharia Civil"});
    curso.Row({"0004", "Administração de Empresas"});

    // Managers first: the others point at them.
    W vendedor(db, "VENDEDOR",
               Cols("CDVENDEDOR,NMFANVEN,NMRAZSOCVEN,VRPECOMVEN,IDTPVENDEDOR,CDGERVENDEDOR,"
                    "CDSUPVENDEDOR,IDATIVOVEN"),
               true);
    vendedor.Row({"0001", "Carla Mendes", "Carla Mendes de Oliveira", 1.5, "G", QVariant(),
                  QVariant(), "S"});
    vendedor.Row(
        {"0002", "Roberto Souza", "Roberto Souza Lima", 1.5, "G", QVariant(), QVariant(), "S"});
    vendedor.Row(
        {"0003", "Juliana Prado", "Juliana Prado Nogueira", 2.0, "S", "0001", QVariant(), "S"});
    vendedor.Row(
        {"0004", "Marcos Vieira", "Marcos Antônio Vieira", 2.0, "S", "0002", QVariant(), "S"});
    vendedor.Row({"0005", "Ana Ribeiro", "Ana Paula Ribeiro", 3.0, "V", "0001", "0003", "S"});
    vendedor.Row({"0006", "Bruno Costa", "Bruno Henrique Costa", 3.0, "V", "0001", "0003", "S"});
    vendedor.Row({"0007", "Fernanda Lima", "Fernanda Lima Castro", 3.0, "V", "0002", "0004", "S"});
    vendedor.Row({"0008", "Gustavo Alves", "Gustavo Alves Pereira", 3.0, "V", "0002", "0004", "S"});
    vendedor.Row(
        {"0009", "Helena Duarte", "Helena Duarte Campos", 2.5, "V", QVariant(), QVariant(), "S"});
    vendedor.Row({"0010", "Igor Martins", "Igor Martins Rocha", 2.5, "V", "0002", "0004", "N"});

    W cliente(db, "CLIENTE",
              Cols("CDCLIENTE,IDTPIJURCLIE,NRINSJURCLIE,NMRAZSOCCLIE,NMFANTCLIE,IDCLIEATIV,"
                   "CDMODPGTO,VRPEMAXDESCL,CDVENDEDOR,DTCADCLIE"),
              true);
    W ende(db, "ENDECLIE",
           Cols("CDCLIENTE,IDTPENDECLIE,CDPAIS,SGESTADO,CDMUNICIPIO,DSENDECLIE,NMBAIRCLIE,"
                "NRCEPCLIE,NRTELECLIE,DSEMAILCLIE"),
           true);
    int n = 0;
    for (const auto& c : kCustomers) {
        const QString code = CustomerCode(c);
        cliente.Row({code, c.kind, c.number, QString::fromUtf8(c.company),
                     QString::fromUtf8(c.trade), c.active ? "S" : "N", Opt(c.modPgto),
                     *c.kind == 'J' ? 10.0 : 5.0, Opt(c.seller),
                     DbDate(QDate(2024, 3, 1).addDays(37 * n++))});
        ende.Row({code, "P", "1058", c.state, c.city, QString::fromUtf8(c.street),
                  QString::fromUtf8(c.district), c.zip, c.phone, c.email});
    }
    // A billing address of its own for the bank.
    ende.Row({"J60701190000104", "C", "1058", "RJ", "0010", "Rua da Assembleia, 10 - sala 3001",
              "Centro", "20011-901", "(21) 3003-8001", "contas.pagar@bancoaurora.com.br"});

    W operador(db, "OPERADOR", Cols("CDOPERADOR,NMOPERADOR,IDATIVOOPER"), true);
    operador.Row({"ADMIN", "Administrador do Sistema", "S"});
    operador.Row({"MARIA", "Maria Aparecida Silva", "S"});
    operador.Row({"JOAO", "João Pedro Santos", "S"});
    operador.Row({"CARLOS", "Carlos Eduardo Lima", "S"});
    operador.Row({"ESTAGIO", "Lucas Ferreira (estágio)", "S"});
    operador.Row({"ANTIGO", "Sérgio Ramos", "N"});

    // MARIA may process closed budgets; JOAO has no setting and follows the
    // module's parameter; CARLOS is denied; ESTAGIO has no row at all.
    W controle(db, "OPERCONTROLE",
               Cols("CDOPERADOR,CDPROCHABLANOPE,CDPROCHABAPROPE,CDPROCHABFECOPE"), true);
    controle.Row({"ADMIN", "ORE06400", "ORE06400", "ORE06400"});
    controle.Row({"MARIA", "ORE06400", "ORE06400", "ORE06400"});
    controle.Row({"JOAO", "ORE06400", QVariant(), QVariant()});
    controle.Row({"CARLOS", "ORE06400", "SEMACESSO", "SEMACESSO"});

    W param(db, "PARAMORCA",
            Cols("IDPARAMORCA,IDORIGPRUNITORE,CDPROCHABLANORE,CDPROCHABAPRORE,CDPROCHABFECORE"),
            true);
    param.Row({1, "T", "ORE06400", "ORE06400", "ORE06400"});

    W tpRec(db, "TIPOCTREC", Cols("CDTPCTREC,NMTPCTREC"), true);
    tpRec.Row({"001", "Eventos a receber"});
    W tpPag(db, "TIPOCTPAG", Cols("CDTPCTPAG,NMTPCTPAG"), true);
    tpPag.Row({"001", "Fornecedores de eventos"});
    tpPag.Row({"002", "Devolução a clientes"});
    W tpAjuste(db, "TIPOAJUSTEREC", Cols("CDTPAJUSTEREC,NMTPAJUSTEREC"), true);
    tpAjuste.Row({"001", "Acréscimo por orçamento filho"});

    // V02, E02 and D02 lack the kind of account they should generate.
    W tipoOper(db, "TIPOOPER", Cols("CDTIPOOPER,NMTIPOOPER,IDENTRSAIOPER,CDTPCTREC,CDTPCTPAG"),
               true);
    tipoOper.Row({"V01", "Venda de serviços de eventos", "S", "001", QVariant()});
    tipoOper.Row({"V02", "Venda de eventos (sem conta)", "S", QVariant(), QVariant()});
    tipoOper.Row({"E01", "Entrada de serviços de terceiros", "E", QVariant(), "001"});
    tipoOper.Row({"E02", "Entrada de terceiros (sem conta)", "E", QVariant(), QVariant()});
    tipoOper.Row({"D01", "Orçamento com valor negativo", "S", QVariant(), "002"});
    tipoOper.Row({"D02", "Valor negativo (sem conta)", "S", QVariant(), QVariant()});
}
