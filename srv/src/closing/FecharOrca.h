#pragma once

#include "closing/FaultPoints.h"

#include "core/db/DbUrl.h"

#include <QVariant>

// "FecharOrca": closes every budget marked in the list the screen sends
// (list packet, operator, packet of new customers or null), each with its
// rules checked and then its records written, all in one transaction: the
// first refusal fails the call and nothing is kept. The audit names
// `sessionOperator` whenever there is one, whatever the arguments say.
QVariant FecharOrca(const DbUrl& url, const QVariantList& args, const TFaultPoints& faults,
                    const QString& sessionOperator = {});
