// trevo-dbf: looks into dBASE tables for club officials and tests.
//   info FILE   header, version, code page, fields, record count
//   dump FILE   field names, then every record tab-separated in UTF-8
//   check FILE  every fault of the table and its memo file (exit 1 when any)
//   repair FILE record count and length of a damaged header set from the file
#include "commands.h"

#include <cstdio>
#include <string>

namespace {

void usage()
{
    std::fputs("Aufruf: trevo-dbf BEFEHL DATEI\n"
               "\n"
               "Befehle:\n"
               "  info   DATEI  zeigt Kopf, Version, Zeichensatz, Felder und Anzahl der Datensätze\n"
               "  dump   DATEI  gibt alle Datensätze tabulatorgetrennt in UTF-8 aus, die erste Zeile\n"
               "                nennt die Feldnamen; Tabulator, Zeilenwechsel und '\\' in Werten\n"
               "                erscheinen als \\t, \\n, \\r und \\\\\n"
               "  check  DATEI  prüft die Tabelle und ihre Memodatei; Rückgabewert 1, wenn Fehler\n"
               "                gefunden wurden, sonst 0 und \"keine Fehler\"\n"
               "  repair DATEI  setzt Anzahl und Länge der Datensätze im Kopf nach dem, was die\n"
               "                Datei enthält, und ergänzt die Endmarke; vorher wird das Original\n"
               "                als DATEI.bak daneben kopiert\n",
               stderr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        usage();
        return 2;
    }
    const std::string command = argv[1];
    const std::string file = argv[2];
    if (command == "info") return trevo::dbftool::info(file);
    if (command == "dump") return trevo::dbftool::dump(file);
    if (command == "check") return trevo::dbftool::check(file);
    if (command == "repair") return trevo::dbftool::repair(file);
    std::fprintf(stderr, "Unbekannter Befehl '%s'\n\n", command.c_str());
    usage();
    return 2;
}
