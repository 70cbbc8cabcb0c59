#include "config/aprs_symbols.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "common/ascii.h"
#include "geo/aprs_position.h"

namespace zelvar {
namespace {

constexpr std::size_t kSymbolCount = kLastSymbolCode - kFirstSymbolCode + 1;

// The symbols of the APRS protocol specification's tables as the current symbol index assigns
// them, named in our own words. The overlay flags mark the alternate symbols the index lets carry
// an overlay character.
constexpr std::array<AprsSymbol, kSymbolCount> kPrimary = {{
    {'!', SymbolTable::Primary, "police or sheriff station", false},
    {'"', SymbolTable::Primary, "reserved", false},
    {'#', SymbolTable::Primary, "digipeater", false},
    {'$', SymbolTable::Primary, "telephone", false},
    {'%', SymbolTable::Primary, "DX cluster", false},
    {'&', SymbolTable::Primary, "HF gateway", false},
    {'\'', SymbolTable::Primary, "small aircraft", false},
    {'(', SymbolTable::Primary, "mobile satellite ground station", false},
    {')', SymbolTable::Primary, "wheelchair, accessible place", false},
    {'*', SymbolTable::Primary, "snowmobile", false},
    {'+', SymbolTable::Primary, "Red Cross", false},
    {',', SymbolTable::Primary, "Boy Scouts", false},
    {'-', SymbolTable::Primary, "house, home station (VHF)", false},
    {'.', SymbolTable::Primary, "X mark", false},
    {'/', SymbolTable::Primary, "red dot", false},
    {'0', SymbolTable::Primary, "numbered circle 0 (no longer used)", false},
    {'1', SymbolTable::Primary, "circle 1 (unassigned)", false},
    {'2', SymbolTable::Primary, "circle 2 (unassigned)", false},
    {'3', SymbolTable::Primary, "circle 3 (unassigned)", false},
    {'4', SymbolTable::Primary, "circle 4 (unassigned)", false},
    {'5', SymbolTable::Primary, "circle 5 (unassigned)", false},
    {'6', SymbolTable::Primary, "circle 6 (unassigned)", false},
    {'7', SymbolTable::Primary, "circle 7 (unassigned)", false},
    {'8', SymbolTable::Primary, "circle 8 (unassigned)", false},
    {'9', SymbolTable::Primary, "circle 9 (unassigned)", false},
    {':', SymbolTable::Primary, "fire", false},
    {';', SymbolTable::Primary, "campground, portable station", false},
    {'<', SymbolTable::Primary, "motorcycle", false},
    {'=', SymbolTable::Primary, "railway engine", false},
    {'>', SymbolTable::Primary, "car", false},
    {'?', SymbolTable::Primary, "file server", false},
    {'@', SymbolTable::Primary, "forecast position of a hurricane", false},
    {'A', SymbolTable::Primary, "aid station", false},
    {'B', SymbolTable::Primary, "bulletin board system (BBS)", false},
    {'C', SymbolTable::Primary, "canoe", false},
    {'D', SymbolTable::Primary, "unassigned", false},
    {'E', SymbolTable::Primary, "eyeball, event", false},
    {'F', SymbolTable::Primary, "farm vehicle, tractor", false},
    {'G', SymbolTable::Primary, "grid square (6 characters)", false},
    {'H', SymbolTable::Primary, "hotel", false},
    {'I', SymbolTable::Primary, "TCP/IP network station on the air", false},
    {'J', SymbolTable::Primary, "unassigned", false},
    {'K', SymbolTable::Primary, "school", false},
    {'L', SymbolTable::Primary, "PC user", false},
    {'M', SymbolTable::Primary, "MacAPRS station", false},
    {'N', SymbolTable::Primary, "NTS traffic station", false},
    {'O', SymbolTable::Primary, "balloon", false},
    {'P', SymbolTable::Primary, "police", false},
    {'Q', SymbolTable::Primary, "unassigned", false},
    {'R', SymbolTable::Primary, "recreational vehicle, camper", false},
    {'S', SymbolTable::Primary, "space shuttle", false},
    {'T', SymbolTable::Primary, "SSTV station", false},
    {'U', SymbolTable::Primary, "bus", false},
    {'V', SymbolTable::Primary, "amateur television (ATV)", false},
    {'W', SymbolTable::Primary, "weather service site", false},
    {'X', SymbolTable::Primary, "helicopter", false},
    {'Y', SymbolTable::Primary, "sailing yacht", false},
    {'Z', SymbolTable::Primary, "WinAPRS station", false},
    {'[', SymbolTable::Primary, "person on foot", false},
    {'\\', SymbolTable::Primary, "direction finding triangle", false},
    {']', SymbolTable::Primary, "post office, mail", false},
    {'^', SymbolTable::Primary, "large aircraft", false},
    {'_', SymbolTable::Primary, "weather station", false},
    {'`', SymbolTable::Primary, "dish antenna", false},
    {'a', SymbolTable::Primary, "ambulance", false},
    {'b', SymbolTable::Primary, "bicycle", false},
    {'c', SymbolTable::Primary, "incident command post", false},
    {'d', SymbolTable::Primary, "fire department", false},
    {'e', SymbolTable::Primary, "horse, rider", false},
    {'f', SymbolTable::Primary, "fire engine, fire truck", false},
    {'g', SymbolTable::Primary, "glider", false},
    {'h', SymbolTable::Primary, "hospital", false},
    {'i', SymbolTable::Primary, "island (IOTA)", false},
    {'j', SymbolTable::Primary, "jeep", false},
    {'k', SymbolTable::Primary, "truck", false},
    {'l', SymbolTable::Primary, "laptop", false},
    {'m', SymbolTable::Primary, "Mic-E repeater", false},
    {'n', SymbolTable::Primary, "node (black bull's-eye)", false},
    {'o', SymbolTable::Primary, "emergency operations centre (EOC)", false},
    {'p', SymbolTable::Primary, "rover, dog", false},
    {'q', SymbolTable::Primary, "grid square shown above 128 m", false},
    {'r', SymbolTable::Primary, "repeater", false},
    {'s', SymbolTable::Primary, "power boat, ship", false},
    {'t', SymbolTable::Primary, "truck stop", false},
    {'u', SymbolTable::Primary, "lorry, 18-wheeler", false},
    {'v', SymbolTable::Primary, "van", false},
    {'w', SymbolTable::Primary, "water station", false},
    {'x', SymbolTable::Primary, "xAPRS station (Unix)", false},
    {'y', SymbolTable::Primary, "Yagi antenna at a home station", false},
    {'z', SymbolTable::Primary, "unassigned", false},
    {'{', SymbolTable::Primary, "unassigned", false},
    {'|', SymbolTable::Primary, "reserved (TNC stream switch)", false},
    {'}', SymbolTable::Primary, "unassigned", false},
    {'~', SymbolTable::Primary, "reserved (TNC stream switch)", false},
}};

constexpr std::array<AprsSymbol, kSymbolCount> kAlternate = {{
    {'!', SymbolTable::Alternate, "emergency", true},
    {'"', SymbolTable::Alternate, "reserved", false},
    {'#', SymbolTable::Alternate, "digipeater (green star)", true},
    {'$', SymbolTable::Alternate, "bank, cash machine", true},
    {'%', SymbolTable::Alternate, "power plant", true},
    {'&', SymbolTable::Alternate, "gateway (I IGate, R receive only, T one hop, 2 two hops)", true},
    {'\'', SymbolTable::Alternate, "crash or incident site", true},
    {'(', SymbolTable::Alternate, "cloudy", true},
    {')', SymbolTable::Alternate, "Earth observation satellite data (Firenet)", true},
    {'*', SymbolTable::Alternate, "unassigned (once snow)", false},
    {'+', SymbolTable::Alternate, "church", false},
    {',', SymbolTable::Alternate, "Girl Scouts", false},
    {'-', SymbolTable::Alternate, "house, home station (HF)", true},
    {'.', SymbolTable::Alternate, "position unknown (question mark)", false},
    {'/', SymbolTable::Alternate, "waypoint, destination", false},
    {'0', SymbolTable::Alternate, "circle (IRLP, EchoLink, WIRES node)", true},
    {'1', SymbolTable::Alternate, "unassigned", false},
    {'2', SymbolTable::Alternate, "unassigned", false},
    {'3', SymbolTable::Alternate, "unassigned", false},
    {'4', SymbolTable::Alternate, "unassigned", false},
    {'5', SymbolTable::Alternate, "unassigned", false},
    {'6', SymbolTable::Alternate, "unassigned", false},
    {'7', SymbolTable::Alternate, "unassigned", false},
    {'8', SymbolTable::Alternate, "network node (802.11 and others)", true},
    {'9', SymbolTable::Alternate, "petrol station", false},
    {':', SymbolTable::Alternate, "unassigned (once hail)", false},
    {';', SymbolTable::Alternate, "park, picnic area", true},
    {'<', SymbolTable::Alternate, "advisory (weather flag)", true},
    {'=', SymbolTable::Alternate, "unassigned, free for overlays", true},
    {'>', SymbolTable::Alternate, "car or other vehicle", true},
    {'?', SymbolTable::Alternate, "information kiosk", false},
    {'@', SymbolTable::Alternate, "hurricane, tropical storm", false},
    {'A', SymbolTable::Alternate, "box (DTMF, RFID, XO)", true},
    {'B', SymbolTable::Alternate, "unassigned (once blowing snow)", false},
    {'C', SymbolTable::Alternate, "Coast Guard", false},
    {'D', SymbolTable::Alternate, "depot", true},
    {'E', SymbolTable::Alternate, "smoke", false},
    {'F', SymbolTable::Alternate, "unassigned (once freezing rain)", false},
    {'G', SymbolTable::Alternate, "unassigned (once snow shower)", false},
    {'H', SymbolTable::Alternate, "haze, hazard", true},
    {'I', SymbolTable::Alternate, "rain shower", false},
    {'J', SymbolTable::Alternate, "unassigned (once lightning)", false},
    {'K', SymbolTable::Alternate, "Kenwood handheld radio", false},
    {'L', SymbolTable::Alternate, "lighthouse", false},
    {'M', SymbolTable::Alternate, "MARS station (A army, N navy, F air force)", true},
    {'N', SymbolTable::Alternate, "navigation buoy", false},
    {'O', SymbolTable::Alternate, "rocket, balloon", true},
    {'P', SymbolTable::Alternate, "parking", false},
    {'Q', SymbolTable::Alternate, "earthquake", false},
    {'R', SymbolTable::Alternate, "restaurant", true},
    {'S', SymbolTable::Alternate, "satellite", false},
    {'T', SymbolTable::Alternate, "thunderstorm", false},
    {'U', SymbolTable::Alternate, "sunny", false},
    {'V', SymbolTable::Alternate, "VORTAC navigation aid", false},
    {'W', SymbolTable::Alternate, "weather service site", true},
    {'X', SymbolTable::Alternate, "pharmacy", false},
    {'Y', SymbolTable::Alternate, "radios and devices", true},
    {'Z', SymbolTable::Alternate, "unassigned", false},
    {'[', SymbolTable::Alternate, "wall cloud, people", true},
    {'\\', SymbolTable::Alternate, "GPS position", true},
    {']', SymbolTable::Alternate, "unassigned", false},
    {'^', SymbolTable::Alternate, "aircraft", true},
    {'_', SymbolTable::Alternate, "weather site (green)", true},
    {'`', SymbolTable::Alternate, "rain", true},
    {'a', SymbolTable::Alternate, "ARRL, ARES, Winlink, D-STAR and other groups", true},
    {'b', SymbolTable::Alternate, "unassigned (once blowing dust)", false},
    {'c', SymbolTable::Alternate, "civil defence triangle (RACES, SATERN)", true},
    {'d', SymbolTable::Alternate, "DX spot by callsign", false},
    {'e', SymbolTable::Alternate, "sleet", false},
    {'f', SymbolTable::Alternate, "funnel cloud", false},
    {'g', SymbolTable::Alternate, "gale flags", false},
    {'h', SymbolTable::Alternate, "shop, hamfest", true},
    {'i', SymbolTable::Alternate, "point of interest (box)", true},
    {'j', SymbolTable::Alternate, "work zone", false},
    {'k', SymbolTable::Alternate, "special vehicle (SUV, ATV, 4x4)", true},
    {'l', SymbolTable::Alternate, "area (box, circle)", false},
    {'m', SymbolTable::Alternate, "value sign (shows three characters)", false},
    {'n', SymbolTable::Alternate, "triangle", true},
    {'o', SymbolTable::Alternate, "small circle", false},
    {'p', SymbolTable::Alternate, "unassigned (once partly cloudy)", false},
    {'q', SymbolTable::Alternate, "unassigned", false},
    {'r', SymbolTable::Alternate, "restrooms", false},
    {'s', SymbolTable::Alternate, "ship, boat", true},
    {'t', SymbolTable::Alternate, "tornado", false},
    {'u', SymbolTable::Alternate, "truck", true},
    {'v', SymbolTable::Alternate, "van", true},
    {'w', SymbolTable::Alternate, "flooding", false},
    {'x', SymbolTable::Alternate, "wreck or obstruction", false},
    {'y', SymbolTable::Alternate, "Skywarn", false},
    {'z', SymbolTable::Alternate, "shelter", true},
    {'{', SymbolTable::Alternate, "unassigned (once fog)", false},
    {'|', SymbolTable::Alternate, "reserved (TNC stream switch)", false},
    {'}', SymbolTable::Alternate, "unassigned", false},
    {'~', SymbolTable::Alternate, "reserved (TNC stream switch)", false},
}};

// The words of a text in lower case: runs of letters and digits.
std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words(1);
    for (char c : text) {
        if (isAsciiDigit(c) || isAsciiUpper(asciiUpper(c)))
            words.back() += asciiLower(c);
        else if (!words.back().empty())
            words.emplace_back();
    }
    if (words.back().empty())
        words.pop_back();
    return words;
}

// Every searched word begins a word of the name; a search without words names nothing.
bool namedBy(const AprsSymbol& symbol, const std::vector<std::string>& searched) {
    const std::vector<std::string> words = wordsOf(symbol.name);
    return !searched.empty() &&
           std::all_of(searched.begin(), searched.end(), [&](const std::string& wanted) {
               return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
                   return word.starts_with(wanted);
               });
           });
}

}  // namespace

std::span<const AprsSymbol> symbolTable(SymbolTable table) {
    return table == SymbolTable::Primary ? std::span<const AprsSymbol>(kPrimary)
                                         : std::span<const AprsSymbol>(kAlternate);
}

const AprsSymbol* findSymbol(char code, SymbolTable table) {
    if (code < kFirstSymbolCode || code > kLastSymbolCode)
        return nullptr;
    return &symbolTable(table)[static_cast<std::size_t>(code - kFirstSymbolCode)];
}

std::vector<AprsSymbol> searchSymbols(std::string_view search) {
    const std::vector<std::string> words = wordsOf(search);
    const bool tableAndCode =
        search.size() == 2 && (search.front() == '/' || search.front() == '\\');
    std::vector<AprsSymbol> found;
    for (SymbolTable table : {SymbolTable::Primary, SymbolTable::Alternate}) {
        const char tableChar = symbolTableChar(table == SymbolTable::Alternate);
        for (const AprsSymbol& symbol : symbolTable(table)) {
            bool wanted = namedBy(symbol, words);
            if (search.empty())
                wanted = true;
            else if (search.size() == 1)
                wanted = symbol.code == search.front();
            else if (tableAndCode)
                wanted = search.front() == tableChar && symbol.code == search.back();
            if (wanted)
                found.push_back(symbol);
        }
    }
    return found;
}

std::string_view symbolTableName(SymbolTable table) {
    return table == SymbolTable::Primary ? "primary table" : "alternate table";
}

std::string describeSymbol(std::string_view symbol, SymbolTable table) {
    if (symbol.size() != 1)
        return "no symbol: the field takes one character";
    const AprsSymbol* found = findSymbol(symbol.front(), table);
    if (!found) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(symbol.front()));
        return std::string(code) + " is no APRS symbol: the symbols are ! to ~";
    }
    return std::string(symbol) + " \u2014 " + std::string(found->name) + ", " +
           std::string(symbolTableName(table));
}

std::string_view overlayRule() {
    return "An overlay is a digit 0-9 or a capital letter A-Z sent in place of the alternate "
           "table's \\ and drawn over the symbol; only the alternate symbols marked for it take "
           "one. The tracker sends the table as / or \\ only, so they show without an overlay.";
}

}  // namespace zelvar
