#pragma once

#include <QString>

// The five forms the Color wizard writes a colour in, numbered as its radio
// buttons are.
enum class ZtColorKind {
    BgColorAttribute = 0, // ` BGCOLOR="v" `
    Alone = 1,            // v
    Background = 2,       // background: v;
    Color = 3,            // color: v;
    BackgroundColor = 4,  // background-color: v;
};

// The colour value written in the form kind asks for.
QString BuildColorText(const QString& value, ZtColorKind kind);
