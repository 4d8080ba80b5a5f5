#pragma once

#include <QDateTime>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class TDbConnection;

// One demo budget as a sales person would describe it; TDemoBudgetWriter
// turns it into rows, computing the totals the way the closing will check
// them (items, labour and halls, less the general discount, plus additions).
struct TDemoBudget {
    struct Item {
        QString tree; // CDARVPROD
        double qt = 1;
        double price = -1; // -1: the product's base price
        double desc = 0;
        double acre = 0;
        QString supplier; // CDFORNECEDOR of a third-party item
        double supplierValue = 0;
        bool invoiced = true;
        bool fixedCost = false;
    };
    struct Labour {
        QString team; // NRTURNO
        QString tree;
        double qt = 1;
        double charged = -1; // unit value charged; -1: base price
        bool extra = false;
    };
    struct Hall {
        QString code;
        QString state = QStringLiteral("R");
        QString reservation;
        double value = 0;
    };
    struct Contract {
        QString customer;
        double share = 1;             // share of the realised total
        std::optional<double> value;  // overrides the share; nullopt with noValue
        bool noValue = false;         // value left empty
        std::optional<double> guests; // default: share of the guests
        bool noGuests = false;
        QString company = QStringLiteral("0001");
        bool cancelled = false;
    };

    QString branch, number, seq = QStringLiteral("00");
    char situation = '2';
    QString title;
    QString customer;    // registered customer (CDCLIENTE)
    QString newCustomer; // or the name of one not registered yet
    QString seller;
    QString eventType, serviceType, receiptType = QStringLiteral("01");
    QDateTime event;
    double hours = 5;
    double adults = 100, children = 0;
    QDate created, validUntil;
    QString typist = QStringLiteral("MARIA");
    QChar delivery = u'P'; // C customer's address, P the hall's, ' ' another one
    QChar payKind = u'V';  // X, F or V
    QString payForm = QStringLiteral("02");
    int fixedDay = 10, parcels = 3;
    QString payMode = QStringLiteral("00001");
    QString school, course;
    double discount = 0, addition = 0;
    std::vector<Item> items;
    std::vector<Labour> labour;
    std::vector<Hall> halls;
    std::vector<Contract> contracts;
    std::optional<int> expectedContracts; // default: the active contracts
    QStringList externalObs;
    std::vector<std::pair<QString, QStringList>> internalObs; // department, text
    bool childCancelled = false;                              // IDORCAFILHODISTRATO

    // Closed budgets: what their closing generated.
    QDateTime closedAt;
    QString closedBy = QStringLiteral("MARIA");
    QString paidParcels; // per instalment of the receivable: A open, L paid
};

class TDemoBudgetWriter {
public:
    explicit TDemoBudgetWriter(TDbConnection& db);
    ~TDemoBudgetWriter();
    // Writes the budget and its details; returns its realised total.
    double Write(const TDemoBudget& b);
    // Brings the branches' numbering up to the documents written.
    void FinishNumbering();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
