#pragma once

#include <QString>

#include <vector>

class TDbConnection;

// Demonstration data: eight branches whose budgets show every path of the
// closing, described in docs/database.md. Each Load runs inside the caller's
// transaction.

struct TDemoProduct {
    const char* code;  // CDPRODUTO
    const char* tree;  // CDARVPROD, digits only
    const char* name;  // NMPRODUTO
    const char* unit;  // SGUNIDADE; null for groups
    const char* group; // CDGRTOTAPROD; null for groups
    const char* depto; // department that receives its orders; null for groups
    double price;      // base price; 0 for groups
    bool labour;       // IDMOBRAPROD
    int Level() const; // from the length of the tree code
};

// The product tree: groups and sellable products, labour included.
const std::vector<TDemoProduct>& DemoProducts();
const TDemoProduct& DemoProduct(const QString& tree); // by CDARVPROD

// Registered customers' codes, for the loads that pick customers.
const std::vector<QString>& DemoCustomerCodes();
// Sellers that sell (not managers or supervisors), with their manager and supervisor.
struct TDemoSeller {
    QString code, manager, supervisor;
};
const std::vector<TDemoSeller>& DemoSellers();

// Shared catalogues (places, companies, departments, products, customers,
// sellers, operators, types and parameters). Rows already there are kept, so
// the demo and the scale load can share a database in either order.
void LoadDemoCatalogs(TDbConnection& db);
// The eight demo branches with their parameters, halls and offered products.
void LoadDemoBranches(TDbConnection& db);
// The demo budgets and what the closed ones generated.
void LoadDemoBudgets(TDbConnection& db);

// The branch whose presence means the demo is loaded.
inline const char* kDemoMainBranch = "0001";

// Every operator's password: its code in lower case followed by "123"
// (MARIA signs in with "maria123").
void LoadDemoPasswords(TDbConnection& db);
QString DemoPassword(const QString& operatorCode);
