#pragma once

#include <QIcon>

// Tool-bar pictures that the widget style lacks, drawn so that each says
// what its button does (the style would offer a floppy disk for printing).
enum class TToolIcon { Edit, Sort, Print, Exit };

QIcon ToolIcon(TToolIcon icon);
