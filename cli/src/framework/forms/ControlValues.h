#pragma once

#include <QStringList>

class QWidget;

// The values of the named input controls inside `root` (edits, check boxes,
// radio buttons), as "name=value" lines in the order of the widget tree: what
// a filter dialog saves with an option set. Check states are "1" or "0".
QStringList CaptureControls(const QWidget* root);
// Puts the values back; lines naming no control (or another kind) are skipped,
// controls without a line keep their value.
void RestoreControls(QWidget* root, const QStringList& lines);
