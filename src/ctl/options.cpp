#include "ctl/options.h"

#include <QHash>

#include "ctl/scopecommand.h"

namespace {

const char* const kToolUsage =
    "Usage: veltoctl [OPTIONS] COMMAND ...\n"
    "Scripts a servo drive through the program's link modules, protocol, dictionary and units.\n"
    "\n"
    "Options:\n"
    "  --base DIR          base folder holding data/ and sys/ (default: the current directory;\n"
    "                      an installed veltoctl started outside a base folder uses\n"
    "                      ~/.local/share/veltoservo)\n"
    "  --lang zh|en        language of the dictionary's names and help texts\n"
    "  --serial PATH       serial link on the device PATH (for example /dev/ttyUSB0)\n"
    "  --baud N            its baud rate (default 115200)\n"
    "  --can PLUGIN:IFACE  CAN link, for example socketcan:can0 or virtualcan:can0\n"
    "  --bitrate CODE      its PCAN bit-rate code (default 0x0014, 1 Mbit/s; 0x001C 500 kbit/s)\n"
    "  --address N         drive address 1..127\n"
    "--serial and --can exclude each other.\n"
    "\n"
    "commands:\n"
    "  objects                           every dictionary object, tab-separated\n"
    "  describe INDEX:SUB                the object's description\n"
    "  read INDEX:SUB [--unit U]         read one value (default unit of the object)\n"
    "  write INDEX:SUB VALUE [--unit U]  write a value, print what the drive reports back\n"
    "  watch INDEX:SUB... [--count N] [--interval MS]\n"
    "                                    poll objects, one tab-separated line per round\n"
    "  scope --channel N=INDEX:SUB... --period N --count N --csv FILE ...\n"
    "                                    one oscilloscope capture as CSV\n"
    "  diff IN.qxi                       what importing the data file would change\n"
    "  export LIST.qxo OUT.qxi           read the listed objects into a data file\n"
    "  import IN.qxi [--log FILE]        write a data file into the drive and verify it\n"
    "  store control|motor|all           make the drive store its parameters\n"
    "  init                              reset the control parameters to their defaults\n"
    "  restart                           restart the drive and wait until it answers\n"
    "  errors                            error words, fault state and error history\n"
    "  scan --from N --to N --step N --amplitude N --out FILE\n"
    "                                    frequency scan, saved as the tuner's file\n"
    "  scan --in FILE                    print a saved scan: Hz, gain in dB, phase\n"
    "\n"
    "Without link options the link comes from sys/sys.ini as the program's reconnect takes it.\n"
    "Exit status: 0 done, 1 usage, unknown object or unit, 2 refused by the drive, 3 no link,\n"
    "no answer or a value that cannot be decoded, 4 (errors) an error bit is set, (diff)\n"
    "values differ. 'veltoctl COMMAND --help' describes one command.\n";

const QHash<QString, QString>& CommandUsage() {
    static const QHash<QString, QString> usage = {
        {"objects",
         "usage: veltoctl objects\n"
         "Prints every dictionary object in file order, one line each, tab-separated:\n"
         "INDEX:SUB (XXXX:XX), data type, access letters, name.\n"},
        {"describe",
         "usage: veltoctl describe INDEX:SUB\n"
         "Prints the object's description as the dictionary browser shows it.\n"},
        {"read",
         "usage: veltoctl read INDEX:SUB [--unit U]\n"
         "Reads the object once and prints the value as a grid row shows it in the unit\n"
         "(the object's default unit when --unit is omitted; DEC, HEX and ASCII always work).\n"},
        {"write",
         "usage: veltoctl write INDEX:SUB VALUE [--unit U]\n"
         "Converts VALUE from the unit as a grid row does, writes it and prints the value the\n"
         "drive reports back in the same unit. Exit 2 with 'not taken' when the drive keeps\n"
         "another value.\n"},
        {"watch",
         "usage: veltoctl watch INDEX:SUB... [--count N] [--interval MS]\n"
         "Polls the objects and prints one line per round with their values, tab-separated\n"
         "(in their default units; ???? for a refused one). --count 0 (default) polls until\n"
         "interrupted; no answer or a value that cannot be decoded ends it with exit 3.\n"},
        {"scope", kScopeUsage},
        {"diff",
         "usage: veltoctl diff IN.qxi\n"
         "Reads every row's object and prints each row whose value differs from the file's,\n"
         "tab-separated: item code, the file's value, the drive's value. Exit 0 when all are\n"
         "equal, 4 when some differ, 3 without a link.\n"},
        {"export",
         "usage: veltoctl export LIST.qxo OUT.qxi\n"
         "Reads every object of the upload list and writes the data file (item code, value,\n"
         "True or Fail per line). Prints the final status; exit 0 when every row is True, 2\n"
         "when a row failed (the file is written either way), 3 when the link is lost.\n"},
        {"import",
         "usage: veltoctl import IN.qxi [--log FILE]\n"
         "Writes every row of the data file into the drive and compares the value the drive\n"
         "reports back (True, Alarm, Fail); rows that are not True go to stderr, all rows to\n"
         "the result log. Exit 0 when every row is True, 2 on Fail or Alarm, 3 when the link\n"
         "is lost.\n"},
        {"store",
         "usage: veltoctl store control|motor|all\n"
         "control, motor: the store command, confirmed by the drive's storing bit (0x3010:06\n"
         "bit 4); prints the button caption, with OK when confirmed (exit 0; 2 otherwise).\n"
         "all: motor then control parameters, as the import page saves them; prints finish.\n"},
        {"init",
         "usage: veltoctl init\n"
         "Resets the control parameters to their initial values (0x2FF0:01 = 10). Exit 2 when\n"
         "the drive does not take the command.\n"},
        {"restart",
         "usage: veltoctl restart\n"
         "Restarts the drive (0x2FFF:00 = 0xAA55) and waits until it answers again.\n"},
        {"errors",
         "usage: veltoctl errors\n"
         "Prints the error status words 0x2601 and 0x2602 with the names of their set bits,\n"
         "whether the drive is in fault (status word bit 3) and the stored errors, newest\n"
         "first: time, code and the error it names. Exit 0 when no error bit is set, 4 when\n"
         "one is.\n"},
        {"scan",
         "usage: veltoctl scan --from N --to N --step N --amplitude N --out FILE\n"
         "       veltoctl scan --in FILE\n"
         "Runs the tuner's frequency scan (start 4 or more, step 3 or more, end 1000 or less\n"
         "and at least start + 4 x step, amplitude 32 to 800), saves it as the tuner's text\n"
         "file and prints the analysed points: frequency (Hz), gain (dB) and phase (degrees),\n"
         "tab-separated. With --in it prints the points of a saved file instead.\n"
         "Exit 0 scan finished, 1 settings refused or file not usable, 3 no link, no answer\n"
         "or the scan failed ('fail!').\n"},
    };
    return usage;
}

const QStringList& ScanOptions() {
    static const QStringList names = {"--from", "--to", "--step", "--amplitude", "--out", "--in"};
    return names;
}

// The scan takes either all of its settings and --out, or --in alone.
bool ScanOptionsComplete(const CtlOptions& o) {
    if (o.values.contains("--in"))
        return o.values.size() == 1;
    for (const QString& name : ScanOptions())
        if (name != "--in" && !o.values.contains(name))
            return false;
    return true;
}

bool TakeInt(const QString& text, int& out) {
    bool ok = false;
    int value = text.startsWith("0x", Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16)
                                                           : text.toInt(&ok, 10);
    if (ok)
        out = value;
    return ok;
}

}  // namespace

QString UsageText(const QString& command) {
    auto it = CommandUsage().find(command);
    return it == CommandUsage().end() ? QString::fromLatin1(kToolUsage) : it.value();
}

ParseResult ParseCtlOptions(const QStringList& args, CtlOptions& o) {
    auto fail = [](const QString& why) { return ParseResult{false, why}; };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        QString v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--base" || a == "--serial" || a == "--can" || a == "--unit" ||
                   a == "--log") {
            if (!value(v))
                return fail(a + " needs a value");
            (a == "--base"     ? o.base
             : a == "--serial" ? o.serialPath
             : a == "--can"    ? o.canAdapter
             : a == "--log"    ? o.logPath
                               : o.unit) = v;
        } else if (a == "--lang") {
            if (!value(v) || (v != "zh" && v != "en"))
                return fail("--lang takes zh or en");
            o.language = v == "zh" ? 1 : 2;
        } else if (a == "--baud" || a == "--bitrate" || a == "--address" || a == "--count" ||
                   a == "--interval") {
            int n = 0;
            if (!value(v) || !TakeInt(v, n) || n < 0)
                return fail(a + " needs a number");
            if (a == "--baud")
                o.baud = n;
            else if (a == "--bitrate")
                o.bitrateCode = n;
            else if (a == "--address")
                o.address = n;
            else if (a == "--count")
                o.count = n;
            else
                o.intervalMs = n;
        } else if (a.startsWith("--") && o.command == "scope" && i + 1 < args.size()) {
            o.arguments << a << args[++i];  // the command's own options
        } else if (ScanOptions().contains(a)) {
            if (!value(v))
                return fail(a + " needs a value");
            o.values[a] = v;
        } else if (a.startsWith("--")) {
            return fail("unknown option " + a);
        } else if (o.command.isEmpty()) {
            o.command = a;
        } else {
            o.arguments << a;
        }
    }
    if (o.help)
        return {};
    if (!o.serialPath.isEmpty() && !o.canAdapter.isEmpty())
        return fail("--serial and --can exclude each other");
    if (o.command.isEmpty())
        return fail("no command given");
    if (!CommandUsage().contains(o.command))
        return fail("unknown command " + o.command);
    if (!o.values.isEmpty() && o.command != "scan")
        return fail(o.values.keys().front() + " belongs to scan");
    if (o.command == "scan" && !ScanOptionsComplete(o))
        return fail("scan takes --from, --to, --step, --amplitude and --out, or --in alone");
    static const QHash<QString, int> kArguments = {{"objects", 0}, {"errors", 0}, {"scan", 0},
                                                   {"write", 2},   {"export", 2}, {"init", 0},
                                                   {"restart", 0}, {"scope", 0}};
    int need = kArguments.value(o.command, 1);
    bool exact = o.command != "watch" && o.command != "scope";
    if (o.arguments.size() < need || (exact && o.arguments.size() != need))
        return fail("wrong number of arguments for " + o.command);
    if (o.address && (*o.address < 1 || *o.address > 127))
        return fail("--address takes 1 to 127");
    return {};
}
