#pragma once

#include "editor/TagParser.h"

#include <QString>

// Editing a start tag with its wizard: which tags each wizard edits and how
// the tag it writes keeps what it does not know.

// Whether the wizard of command commandId edits a start tag called name (any
// case): Body a BODY, Font a FONT or BASEFONT, Table a TABLE, Image an IMG,
// List a UL or OL. Align edits none: its attributes go in at the caret.
bool WizardEditsTag(int commandId, QStringView name);

// startTag, a tag a wizard wrote (ending with ">"), with the attributes kept
// from the tag it replaces put after its own, each as written and followed
// by a blank, as the wizards write theirs.
QString WithKeptAttributes(const QString& startTag, const QList<CParsedAttribute>& kept);

// The text that takes an edited tag's place: the start tag a wizard wrote,
// without the line feed some wizards end it with (what followed the old tag
// stays as it was), and with the kept attributes.
QString EditedStartTag(QString startTag, const QList<CParsedAttribute>& kept);
