#include "SendOptions.h"

#include <cctype>
#include <cstdlib>

namespace {

// Far beyond what a host numbers its ports with, and short enough for the
// port's device name.
constexpr size_t MaximumPortDigits = 5;

bool ParsePortNumber(const std::string& text, int32_t& number)
{
    if (text.empty() || text.size() > MaximumPortDigits)
        return false;
    for (char character : text) {
        if (!std::isdigit(static_cast<unsigned char>(character)))
            return false;
    }
    number = std::atoi(text.c_str());
    return number >= 1;
}

bool TakeArgument(const std::vector<std::string>& arguments, size_t& index, SendOptions& options,
                  std::string& error)
{
    const std::string& argument = arguments[index];
    if (argument == "--help" || argument == "-h" || argument == "/?") {
        options.help = true;
    } else if (argument == "--check") {
        options.checkOnly = true;
    } else if (argument == "--json") {
        options.json = true;
    } else if (argument == "--com") {
        if (++index == arguments.size() || !ParsePortNumber(arguments[index], options.portNumber)) {
            error = "--com braucht die Nummer der Schnittstelle, 1 oder mehr";
            return false;
        }
    } else if (argument.rfind("--", 0) == 0) {
        error = "unbekannte Option " + argument;
        return false;
    } else if (!options.fileName.empty()) {
        error = "nur eine Konfigurationsdatei, nicht auch " + argument;
        return false;
    } else {
        options.fileName = argument;
    }
    return true;
}

}  // namespace

bool ParseSendOptions(const std::vector<std::string>& arguments, SendOptions& options, std::string& error)
{
    options = SendOptions();
    for (size_t index = 0; index < arguments.size(); ++index) {
        if (!TakeArgument(arguments, index, options, error))
            return false;
    }
    if (options.help)
        return true;
    if (options.fileName.empty()) {
        error = "keine Konfigurationsdatei angegeben";
        return false;
    }
    if (!options.checkOnly && options.portNumber == 0) {
        error = "--com N fehlt: an welche Schnittstelle soll gesendet werden?";
        return false;
    }
    return true;
}

const char* SendHelpText()
{
    return "Aufruf: tarvek-send DATEI --com N [--json]\n"
           "        tarvek-send DATEI --check [--json]\n"
           "\n"
           "Überträgt eine Tarvek-Konfigurationsdatei (*.tci) ohne Fenster an das Gerät an\n"
           "der Schnittstelle COMN: lädt die Datei wie das Konfigurationsprogramm, prüft die\n"
           "vier Schwellwerte nach denselben Regeln und sendet dieselben sieben Zeilen, jede\n"
           "erst, wenn das Gerät die vorige beantwortet hat, höchstens eine Sekunde danach.\n"
           "Jede Zeile und jede Antwort wird ausgegeben, sobald sie gesendet oder\n"
           "empfangen ist; Meldungen gehen auf die Fehlerausgabe.\n"
           "\n"
           "  --com N   die Schnittstelle COM1, COM2, ... (auch über COM8 hinaus)\n"
           "  --check   die Datei nur laden und prüfen, nichts senden\n"
           "  --json    je Zeile ein JSON-Objekt (gesendete Zeile, Antwort, Zeit in ms,\n"
           "            Ergebnis), zum Schluss eines mit dem Gesamtergebnis und der\n"
           "            Meldung; alles auf die Standardausgabe\n"
           "  --help    diese Hilfe\n"
           "\n"
           "Rückgabewerte:\n"
           "  0  gesendet, jede Zeile beantwortet (mit --check: die Datei ist gültig)\n"
           "  1  die Werte der Datei abgelehnt: ein Schwellwert außerhalb von -100.0 bis\n"
           "     100.0, ein oberer unter dem unteren, oder eine Zeit für das zyklische\n"
           "     Löschen, die das Programm nicht anbietet\n"
           "  2  die Datei fehlt, kann nicht gelesen werden oder es fehlt ihr einer der\n"
           "     Abschnitte, deren Werte gesendet werden (die vier Schwellwerte, Error)\n"
           "  3  die Schnittstelle kann nicht geöffnet werden\n"
           "  4  Zeitüberschreitung: das Gerät hat eine Zeile nicht beantwortet (die\n"
           "     Meldung nennt den Schritt); die Zeilen davor hat es übernommen\n"
           "  5  falscher Aufruf\n"
           "  6  abgebrochen: tarvek-send wurde während der Übertragung beendet (die\n"
           "     Meldung nennt den Schritt); die Zeilen davor hat das Gerät übernommen";
}
