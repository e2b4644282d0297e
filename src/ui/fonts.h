// The three fonts of the window, named explicitly: a fixed-pitch Japanese
// font in which a full-width character is exactly two half-width columns,
// its proportional sister, and a serif face for the maker's notice.
#pragma once

#include <QFont>
#include <QStringList>

namespace varnokit::ui {

QFont fixedFont(int pixelSize);         // the chosen fixed face: boxes, buttons, most labels
QFont proportionalFont(int pixelSize);  // IPAPGothic (the fixed face if missing): titles, About box
QFont serifFont(int pixelSize);         // C059 (a Century face), DejaVu Serif if missing

// --- Choosing the fixed face ---
// True when `family` is installed, holds digits, kana and the full-width
// asterisk itself, and draws every digit, '*' and the blank one column wide
// and a full-width character exactly two, at every size the window uses.
// Only then do the rows of the body and the solution pane line up.
bool hasExactColumns(const QString& family);
// The first of `candidates` that has exact columns; empty when none has.
QString firstWithExactColumns(const QStringList& candidates);
// IPAGothic, then every other installed Japanese face (Gothic ones first).
QStringList fixedFaceCandidates();
// The face the window uses, chosen once; empty when no installed face has
// exact columns (the window then asks for IPAGothic and lets Qt fall back).
QString fixedFamily();
// Replaces the candidates and chooses again (empty: the installed faces),
// for a machine without a suitable face.
void setFixedFaceCandidates(const QStringList& candidates);

}  // namespace varnokit::ui
