#pragma once
// A user's own text (a layer name, a file name) as the caption of a check box, button or menu
// entry. Qt takes an '&' in such a caption as the mark of a mnemonic and hides it; a user's text
// must show as typed.

#include <QString>

class QFontMetrics;

// `text` with every '&' doubled, so that each shows as itself and none makes a mnemonic.
QString shell_LiteralCaption(const QString& text);

// shell_LiteralCaption of `text` cut at the right with an ellipsis so that it takes at most
// `maxWidth` pixels in `metrics` (unchanged when it fits).
QString shell_ElidedLiteralCaption(const QString& text, const QFontMetrics& metrics, int maxWidth);
