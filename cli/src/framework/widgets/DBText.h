#pragma once

#include "framework/widgets/FieldBinding.h"
#include <QLabel>

// A label showing a field's display text.
class TDBText : public QLabel, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

private:
};
