#pragma once

// The controls that the detail pages show the current budget with. None of
// them takes the operator's input: the budget is only looked at there.

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QWidget;
class TDataSource;
class TDBDateEditPlus;
class TDBEdit;

// Makes `control` show its value without taking input: disabled (no focus,
// no typing, no pasting, whatever the data set's state), yet as legible as
// an enabled one, on the button face.
void ShowOnly(QWidget* control);

// The tool-tip ground that the screen's grids and typed boxes stand on.
void OnToolTipGround(QWidget* control);

// A caption, naming `buddy` for accessibility.
QLabel* NewCaption(QWidget* parent, const QString& text, QWidget* buddy);

// An edit showing `field` of `source`, named "dbe" + the field unless
// `name` is given; `width` pixels wide, or stretching when 0. Numbers stand
// to the right.
TDBEdit* NewShownField(QWidget* parent, TDataSource* source, const char* field, int width = 0,
                       const char* name = nullptr);
TDBDateEditPlus* NewShownDate(QWidget* parent, TDataSource* source, const char* field);

// A line of controls, left to right: those of a fixed width and captions
// keep their size, the others share the room left; a null leaves the room
// at its place empty.
QHBoxLayout* Row(std::initializer_list<QWidget*> shown);
