#include "editor/KeywordLists.h"

// The list strings are spelled out in full, leading and trailing blank
// included, so that what the program searches is exactly what is written here.

const QString& CKeywordLists::HtmlTags()
{
    static const QString list = QStringLiteral(
        " A APPLET ALIGN TD TR TABLE HTML HEAD FONT FACE SIZE HTTP-EQUIV BGPROPERTIES"
        " BLOCKQUOTE EMBED TEXT LINK ALINK VLINK UL LI OL SPAN CLASS CODE REL FONTSIZE"
        " CONTENT PRE MAXLENGTH VALIGN CENTER CAPTION BGSOUND LOOP INFINITE EM VSPACE"
        " HSPACE FRAME FRAMESET FRAMESPACING SRC MARGINWIDTH MARGINHEIGHT SCROLLING"
        " NORESIZE OPTION HREF IMG BR COLOR HR P H1 H2 H3 H4 TITLE META FRAMEBORDER"
        " BORDER NOFRAMES SPACER CELLPADDING CELLSPACING WIDTH TARGET LEFTMARGIN"
        " TOPMARGIN EMBED CLASSID OBJECT ID BORDERCOLOR BORDERCOLORLIGHT BORDERCOLORDARK"
        " LISTING DFN DL DD DT DIR PLAINTEXT BODY BASEFONT BGCOLOR BACKGROUND HEIGHT"
        " CODEBASE PARAM MENU MAP AREA COORDS STYLE INPUT FORM VALUE ACTION TYPE METHOD"
        " CHECKED NAME TEXTAREA COLS ROWS POST GET SCRIPT LANGUAGE ");
    return list;
}

const QString& CKeywordLists::HtmlColors()
{
    static const QString list =
        QStringLiteral(" Red White Blue Yellow Black Green Magenta Purple ");
    return list;
}

const QString& CKeywordLists::StyleProperties()
{
    static const QString list = QStringLiteral(
        " font center family size background color margin left right top bottom align"
        " text weight style width height float clear padding border link hover url ");
    return list;
}

const QString& CKeywordLists::StyleValues()
{
    static const QString list = QStringLiteral(
        " A APPLET ALIGN TD TR TABLE HTML HEAD FONT FACE SIZE HTTP-EQUIV BGPROPERTIES"
        " BLOCKQUOTE EMBED TEXT LINK ALINK VLINK UL LI OL SPAN CLASS CODE REL FONTSIZE"
        " CONTENT PRE MAXLENGTH VALIGN CENTER CAPTION BGSOUND LOOP INFINITE EM FRAME"
        " FRAMESET FRAMESPACING SRC MARGINWIDTH MARGINHEIGHT SCROLLING NORESIZE OPTION"
        " HREF IMG BR COLOR HR P H1 H2 H3 H4 TITLE META FRAMEBORDER BORDER NOFRAMES"
        " SPACER CELLPADDING CELLSPACING WIDTH TARGET LEFTMARGIN TOPMARGIN EMBED CLASSID"
        " OBJECT ID BORDERCOLOR BORDERCOLORLIGHT BORDERCOLORDARK LISTING DFN DL DD DT DIR"
        " PLAINTEXT BODY BASEFONT BGCOLOR BACKGROUND HEIGHT CODEBASE PARAM MENU MAP AREA"
        " COORDS STYLE INPUT FORM VALUE TYPE red blue green magenta gray yellow black"
        " white purple orange bold in px pt italic ");
    return list;
}

const QString& CKeywordLists::PerlFunctions()
{
    static const QString list = QStringLiteral(
        " accept alarm atan2 bind binmode caller chdir chmod chop chown chroot close"
        " closedir connect cos crypt dbmclose dbmopen define delete die do dump each eof"
        " eval exec exit exp fcntl fileno flock fork getc getgrent getgrgid getgrnam"
        " gethostbyname gethostent getlogin getnetbyaddr getnetbyname getnetent"
        " getpeername getpgrp getppid getpriority getprotobyname getprotobynumber"
        " getprotoent getpwent getpwnam getpwuid getservbyname getservent getsockname"
        " getsockopt gmtime goto grep hex index int ioctl join keys kill length link"
        " listen local localtime log lstat mkdir msgctl msgget msgrcv msgsnd oct open"
        " opendir ord pack pipe pop print printf push rand read readdir readlink recv"
        " rename require reset return reverse rewinddir rindex rmdir s scaler seek"
        " seekdir select semctl semget semop send setpgrp setpriority setsockopt shift"
        " shmctl shmget shmread shmwrite shutdown sin sleep socket socketpair sort splice"
        " split sprintf sqrt srand stat study substr symlink syscall sysread system"
        " syswrite tell telldir time times tr truncate unmask undef unlink unpack unshift"
        " utime values vec wait waitpid wantarray warn write ");
    return list;
}

const QString& CKeywordLists::CgiVariables()
{
    static const QString list = QStringLiteral(" ENV CONTENT_LENGTH STDIN STDOUT ");
    return list;
}

const QString& CKeywordLists::CncCodes()
{
    static const QString list = QStringLiteral(
        " G00 G01 G02 G03 G04 G05 G09 G10 G15 G16 G0 G1 G2 G3 G4 G5 G6 G7 G8 G9 G17 G18"
        " G19 G20 G21 G27 G28 G29 G30 G37 G39 G40 G41 G42 G43 G44 G49 G50 G51 G52 G53"
        " G54 G55 G56 G57 G58 G59 G60 G61 G62 G63 G64 G65 G66 G67 G68 G69 G73 G74 G76"
        " G80 G81 G82 G83 G84 G85 G86 G87 G89 G90 G91 G92 G92.1 G94 G95 G98 G99 M0 M1"
        " M2 M3 M4 M5 M6 M7 M8 M9 M00 M01 M02 M03 M04 M05 M06 M07 M08 M09 M10 M11 M13"
        " M14 M19 M26 M27 M28 M29 M30 M32 M33 M34 M41 M42 M48 M49 M52 M53 M55 M56 M58"
        " M59 M61 M62 M66 M67 M68 M69 M74 M75 M76 M77 M78 M79 M80 M81 M86 M87 M98 M99"
        " M100 M101 M102 M103 M104 M105 M106 M107 M108 M109 M110 M120 M121 M198 M199"
        " M200 M201 M202 M210 M212 M213 ");
    return list;
}

const QString& CKeywordLists::CncMacroWords()
{
    static const QString list = QStringLiteral(
        " MSG [$FIXTURE] GOTO IF THEN WHILE DO LOOP CLS DFS ENS ROT SQRT SQR INT RND ATN"
        " ACN ASN TAN COS SIN INV ARCSIN ABS ARCCOS ARCTAN NOT OR XOR AND PGM ENDIF"
        " ELSE ");
    return list;
}

const QString& CKeywordLists::VbsKeywords()
{
    static const QString list = QStringLiteral(
        " Call Const Dim Do Loop Erase Exit For To Step Next Each Function If Then Else"
        " On Error Resume Option Explicit Private Public Randomize ReDim Rem Select Case"
        " Set Sub End While Wend And Eqv Imp Is Mod Not Or Xor ");
    return list;
}

const QString& CKeywordLists::VbsConstants()
{
    static const QString list = QStringLiteral(
        " Empty False True Nothing Null vbBlack vbRed vbGreen vbYellow vbBlue vbMagenta"
        " vbCyan vbWhite vbBinaryCompare vbTextCompare vbDatabaseCompare vbGeneralDate"
        " vbLongDate vbShortDate vbLongTime vbShortTime vbSunday vbMonday vbTuesday"
        " vbWednesday vbThursday vbFriday vbSaturday vbFirstJan1 vbFirstFourDays"
        " vbFirstFullWeek vbUseSystem vbUseSystemDayOfWeek vbObjectError vbOKOnly"
        " vbOKCancel vbAbortRetryIgnore vbYesNoCancel vbYesNo vbRetryCancel vbCritical"
        " vbQuestion vbExclamation vbInformation vbDefaultButton1 vbDefaultButton2"
        " vbDefaultButton3 vbDefaultButton4 vbApplicationModal vbSystemModal vbCr vbCrLf"
        " vbFormFeed vbLf vbNewLine vbNullChar vbNullString vbTab vbVerticalTab vbEmpty"
        " vbNull vbInteger vbLong vbSingle vbDouble vbCurrency vbDate vbString vbObject"
        " vbError vbBoolean vbVariant vbDataObject vbDecimal vbByte vbArray ");
    return list;
}

const QString& CKeywordLists::JavaKeywords()
{
    static const QString list = QStringLiteral(
        " private public boolean false true int if this else import final static long"
        " class extends return new null void while try catch break for switch case"
        " synchronized string float abstract default throw do implements protected"
        " throws double transient byte instanceof short interface volatile char finally"
        " super native const continue goto package ");
    return list;
}

const QString& CKeywordLists::JavaSecondary()
{
    static const QString list = QStringLiteral(" JAVA ");
    return list;
}
