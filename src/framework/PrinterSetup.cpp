#include "framework/PrinterSetup.h"

#include <QPrinter>

QPrinter& CPrinterSetup::Printer()
{
    // Made on first use: building a printer asks the print system for its
    // default device, which start-up need not wait for.
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
