#pragma once

class QPrinter;

// The one printer every print, preview and print setup of the program
// shares, so that settings chosen once stay for the session.
class CPrinterSetup
{
public:
    static QPrinter& Printer();
};
