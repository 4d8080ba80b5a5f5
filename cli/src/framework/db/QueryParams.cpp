#include "framework/db/QueryParams.h"

#include "core/db/DbError.h"

namespace {

QString Bare(const QString& name) {
    return name.startsWith(u':') ? name.mid(1) : name;
}

} // namespace

TQueryParam* TQueryParams::FindParam(const QString& name) {
    const QString bare = Bare(name);
    for (auto& p : m_items)
        if (p.Name().compare(bare, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

const TQueryParam* TQueryParams::FindParam(const QString& name) const {
    return const_cast<TQueryParams*>(this)->FindParam(name);
}

TQueryParam& TQueryParams::ParamByName(const QString& name) {
    if (TQueryParam* p = FindParam(name))
        return *p;
    throw EDbError(QStringLiteral("A consulta não tem o parâmetro %1.").arg(Bare(name)));
}

void TQueryParams::Reset(const QStringList& names) {
    std::vector<TQueryParam> next;
    next.reserve(size_t(names.size()));
    for (const QString& n : names) {
        next.emplace_back(n);
        if (const TQueryParam* old = FindParam(n); old && old->HasValue())
            next.back().SetValue(old->Value());
    }
    m_items = std::move(next);
}

bool ExistParam(const TQueryParams& params, const QString& name) {
    return params.FindParam(name) != nullptr;
}
