#include "rpc/RemoteModuleRegistry.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

const QString kServer = QStringLiteral("ORE00800.rdmFechaOrca");

QString Dispatch(const TRemoteModuleRegistry& registry, const QString& server,
                 const QString& method, const QVariantList& args = {}) {
    TCallContext context;
    const TServerReply reply = registry.Dispatch(context, {server, method, args});
    return reply.ok ? "ok:" + reply.payload.toString() : reply.message;
}

TEST(RemoteModuleRegistry, DispatchesAndTurnsEveryExceptionIntoAFailure) {
    TRemoteModuleRegistry registry;
    registry.Register(kServer, "Name", [](TCallContext& ctx, const QVariantList& args) {
        return QVariant(ctx.server + "." + ctx.method + "/" + args.value(0).toString());
    });
    auto thrower = [&](const char* method, auto make) {
        registry.Register(kServer, method, [make](TCallContext&, const QVariantList&) -> QVariant {
            make();
            return {};
        });
    };
    thrower("Remote", [] { throw ERemoteError("N_BOLETOS_ABERTOS"); });
    thrower("Framework", [] { throw EDatabaseError("O orçamento já foi fechado."); });
    thrower("Std", [] { throw std::runtime_error("disk I/O error"); });
    thrower("Other", [] { throw 42; });
    thrower("Args", [] { Args({}).Count(1); });

    EXPECT_EQ(Dispatch(registry, kServer, "Name", {"x"}), "ok:ORE00800.rdmFechaOrca.Name/x");
    const struct {
        QString server, method, message;
    } cases[] = {
        {"ORE00800.rdmOutro", "Name",
         "O módulo remoto \"ORE00800.rdmOutro\" não existe neste servidor de aplicação."},
        {kServer, "name",
         "O método \"name\" não existe no módulo remoto \"ORE00800.rdmFechaOrca\"."},
        {kServer, "Remote", "N_BOLETOS_ABERTOS"},
        {kServer, "Framework", "O orçamento já foi fechado."},
        {kServer, "Std",
         "Erro interno do servidor de aplicação em ORE00800.rdmFechaOrca.Std: disk I/O error"},
        {kServer, "Other",
         "Erro interno desconhecido do servidor de aplicação em ORE00800.rdmFechaOrca.Other."},
        // Argument errors name the call: the caller may have sent many.
        {kServer, "Args",
         "Chamada inválida de ORE00800.rdmFechaOrca.Args. A chamada espera 1 argumento, mas "
         "recebeu 0."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dispatch(registry, c.server, c.method).toStdString(), c.message.toStdString());
}

TEST(Args, ReadsEachKindAndNamesTheArgumentThatDoesNotFit) {
    const TDataPacket packet("\xa0");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    auto ole = [](double day) { return QVariant::fromValue(TOleDateTime{day}); };
    const QVariantList args = {"0001",
                               qint64(7),
                               2.5,
                               true,
                               ole(1.5),
                               QVariantList{},
                               QVariant::fromValue(packet),
                               QVariant(),
                               nan,
                               -inf,
                               ole(nan),
                               ole(inf),
                               3e6,
                               qint64(-700000),
                               ole(2958465.5)};
    const TArgs a = Args(args).Count(15);
    EXPECT_EQ(a.String(0), "0001");
    EXPECT_EQ(a.Integer(1), 7);
    EXPECT_EQ(a.Double(1), 7.0); // an integer is a number too
    EXPECT_EQ(a.Double(2), 2.5);
    EXPECT_TRUE(a.Boolean(3));
    EXPECT_EQ(a.DateTime(4).value, 1.5);
    EXPECT_TRUE(a.Array(5).isEmpty());
    EXPECT_EQ(a.Packet(6), packet);
    EXPECT_EQ(a.PacketOrNull(6), packet);
    EXPECT_FALSE(a.PacketOrNull(7).has_value());
    EXPECT_TRUE(a.IsNull(7));
    // Dates as date-times or as plain day numbers, up to 31 December 9999.
    EXPECT_EQ(a.Date(4), 1.5);
    EXPECT_EQ(a.Date(2), 2.5);
    EXPECT_EQ(a.Date(1), 7.0);
    EXPECT_EQ(a.Date(14), 2958465.5);

    const std::pair<std::function<void()>, const char*> refusals[] = {
        {[&] { a.String(1, "CDFILIAL"); },
         "O argumento 2 (CDFILIAL) deve ser um texto, mas veio um inteiro."},
        {[&] { a.String(7, "CDFILIAL"); },
         "O argumento 8 (CDFILIAL) deve ser um texto, mas veio nulo."},
        {[&] { a.Integer(2); }, "O argumento 3 deve ser um inteiro, mas veio um número."},
        {[&] { a.Double(0); }, "O argumento 1 deve ser um número, mas veio um texto."},
        {[&] { a.Boolean(4); }, "O argumento 5 deve ser um valor lógico, mas veio uma data-hora."},
        {[&] { a.DateTime(2); }, "O argumento 3 deve ser uma data-hora, mas veio um número."},
        {[&] { a.Array(6); }, "O argumento 7 deve ser uma lista, mas veio um pacote de dados."},
        {[&] { a.PacketOrNull(5, "cds"); },
         "O argumento 6 (cds) deve ser um pacote de dados, mas veio uma lista."},
        {[&] { a.String(15, "CDOPERADOR"); }, "Falta o argumento 16 (CDOPERADOR)."},
        {[&] { a.Count(3); }, "A chamada espera 3 argumentos, mas recebeu 15."},
        // Of the right kind but no value at all.
        {[&] { a.Double(8, "VRRECECONTOREV"); },
         "O argumento 9 (VRRECECONTOREV) deve ser um número finito, mas veio NaN."},
        {[&] { a.Double(9); },
         "O argumento 10 deve ser um número finito, mas veio menos infinito."},
        {[&] { a.DateTime(10, "DTEVENTO inicial"); },
         "O argumento 11 (DTEVENTO inicial) deve ser uma data válida, mas veio NaN."},
        {[&] { a.Date(11, "DTEVENTO final"); },
         "O argumento 12 (DTEVENTO final) deve ser uma data válida, mas veio infinito."},
        {[&] { a.Date(8); }, "O argumento 9 deve ser uma data válida, mas veio NaN."},
        {[&] { a.Date(12); }, "O argumento 13 deve ser uma data válida, mas veio 3000000."},
        {[&] { a.Date(13); }, "O argumento 14 deve ser uma data válida, mas veio -700000."},
        {[&] { a.Date(0, "DTVALIORCEVE inicial"); },
         "O argumento 1 (DTVALIORCEVE inicial) deve ser uma data-hora ou um número, mas veio um "
         "texto."},
    };
    for (const auto& [read, message] : refusals) {
        try {
            read();
            ADD_FAILURE() << "accepted: " << message;
        } catch (const EArgumentError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

} // namespace
