#pragma once

#include <QString>

class QTextDocument;

// Observations are kept as RTF text. This reads the part of RTF that such
// texts use: bold, italic and underline, paragraphs and line breaks, tabs,
// \'xx escapes (code page 1252) and \u escapes; font, colour and style tables,
// document information and other destinations are skipped.

// The text starts as an RTF document does ("{\rtf").
bool IsRtf(const QString& text);

// Replaces the contents of `document` with the formatted text of `rtf`.
void RtfToDocument(const QString& rtf, QTextDocument& document);
