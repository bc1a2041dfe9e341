#pragma once
// USB printers as the USB port library reports them.

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class LastError;
class Spooler;
class UsbPortLibrary;
}  // namespace prn::sys

namespace prn {

// A field of an IEEE 1284 device ID ("MFG:Quillon;MDL:QX1;"): the text after
// the first "key:" (exact case, also inside a longer key) up to the next ";"
// or the end; empty when the key is missing.
ustring GetDeviceIdValue(ustring_view text, ustring_view key);

}  // namespace prn

namespace prn::spooler {

// How a USB printer is shown: "USB Printer <position>" for a short device ID,
// else MFG followed by MDL, or DES when DES contains MDL. `position` counts from 1.
ustring UsbPrinterDescription(const ustring& deviceId, int position);

// The port of the first attached USB printer that fits the model (by its
// description, or by its CID within `idList`) and that no installed printer
// uses yet; empty when there is none.
ustring GetOnlineUSBPortForNotInstallDriver(sys::UsbPortLibrary& usb, sys::Spooler& spooler,
                                            sys::LastError& lastError, const sys::CodePage& codePage,
                                            const ustring& modelText, const ustring& idList);

}  // namespace prn::spooler
