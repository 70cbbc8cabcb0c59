#include "config/aprs_symbols.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "common/ascii.h"
#include "common/utf8.h"
#include "geo/aprs_position.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr std::size_t kSymbolCount = kLastSymbolCode - kFirstSymbolCode + 1;

// The symbols of the APRS Protocol Reference's tables as the current symbol index assigns
// them, named in our own words. The overlay flags mark the alternate symbols the index lets carry
// an overlay character.
constexpr std::array<AprsSymbol, kSymbolCount> kPrimary = {{
    {'!', SymbolTable::Primary, marked("symbol", "police or sheriff station"), false},
    {'"', SymbolTable::Primary, marked("symbol", "reserved"), false},
    {'#', SymbolTable::Primary, marked("symbol", "digipeater"), false},
    {'$', SymbolTable::Primary, marked("symbol", "telephone"), false},
    {'%', SymbolTable::Primary, marked("symbol", "DX cluster"), false},
    {'&', SymbolTable::Primary, marked("symbol", "HF gateway"), false},
    {'\'', SymbolTable::Primary, marked("symbol", "small aircraft"), false, "plane airplane"},
    {'(', SymbolTable::Primary, marked("symbol", "mobile satellite ground station"), false},
    {')', SymbolTable::Primary, marked("symbol", "wheelchair, accessible place"), false},
    {'*', SymbolTable::Primary, marked("symbol", "snowmobile"), false},
    {'+', SymbolTable::Primary, marked("symbol", "Red Cross"), false},
    {',', SymbolTable::Primary, marked("symbol", "Boy Scouts"), false},
    {'-', SymbolTable::Primary, marked("symbol", "house, home station (VHF)"), false, "QTH"},
    {'.', SymbolTable::Primary, marked("symbol", "X mark"), false},
    {'/', SymbolTable::Primary, marked("symbol", "red dot"), false},
    {'0', SymbolTable::Primary, marked("symbol", "numbered circle 0 (no longer used)"), false},
    {'1', SymbolTable::Primary, marked("symbol", "circle 1 (unassigned)"), false},
    {'2', SymbolTable::Primary, marked("symbol", "circle 2 (unassigned)"), false},
    {'3', SymbolTable::Primary, marked("symbol", "circle 3 (unassigned)"), false},
    {'4', SymbolTable::Primary, marked("symbol", "circle 4 (unassigned)"), false},
    {'5', SymbolTable::Primary, marked("symbol", "circle 5 (unassigned)"), false},
    {'6', SymbolTable::Primary, marked("symbol", "circle 6 (unassigned)"), false},
    {'7', SymbolTable::Primary, marked("symbol", "circle 7 (unassigned)"), false},
    {'8', SymbolTable::Primary, marked("symbol", "circle 8 (unassigned)"), false},
    {'9', SymbolTable::Primary, marked("symbol", "circle 9 (unassigned)"), false},
    {':', SymbolTable::Primary, marked("symbol", "fire"), false},
    {';', SymbolTable::Primary, marked("symbol", "campground, portable station"), false},
    {'<', SymbolTable::Primary, marked("symbol", "motorcycle"), false},
    {'=', SymbolTable::Primary, marked("symbol", "railway engine"), false},
    {'>', SymbolTable::Primary, marked("symbol", "car"), false},
    {'?', SymbolTable::Primary, marked("symbol", "file server"), false},
    {'@', SymbolTable::Primary, marked("symbol", "forecast position of a hurricane"), false},
    {'A', SymbolTable::Primary, marked("symbol", "aid station"), false},
    {'B', SymbolTable::Primary, marked("symbol", "bulletin board system (BBS)"), false},
    {'C', SymbolTable::Primary, marked("symbol", "canoe"), false},
    {'D', SymbolTable::Primary, marked("symbol", "unassigned"), false},
    {'E', SymbolTable::Primary, marked("symbol", "eyeball, event"), false},
    {'F', SymbolTable::Primary, marked("symbol", "farm vehicle, tractor"), false},
    {'G', SymbolTable::Primary, marked("symbol", "grid square (6 characters)"), false},
    {'H', SymbolTable::Primary, marked("symbol", "hotel"), false},
    {'I', SymbolTable::Primary, marked("symbol", "TCP/IP network station on the air"), false},
    {'J', SymbolTable::Primary, marked("symbol", "unassigned"), false},
    {'K', SymbolTable::Primary, marked("symbol", "school"), false},
    {'L', SymbolTable::Primary, marked("symbol", "PC user"), false},
    {'M', SymbolTable::Primary, marked("symbol", "MacAPRS station"), false},
    {'N', SymbolTable::Primary, marked("symbol", "NTS traffic station"), false},
    {'O', SymbolTable::Primary, marked("symbol", "balloon"), false},
    {'P', SymbolTable::Primary, marked("symbol", "police"), false},
    {'Q', SymbolTable::Primary, marked("symbol", "unassigned"), false},
    {'R', SymbolTable::Primary, marked("symbol", "recreational vehicle, camper"), false},
    {'S', SymbolTable::Primary, marked("symbol", "space shuttle"), false},
    {'T', SymbolTable::Primary, marked("symbol", "SSTV station"), false},
    {'U', SymbolTable::Primary, marked("symbol", "bus"), false},
    {'V', SymbolTable::Primary, marked("symbol", "amateur television (ATV)"), false},
    {'W', SymbolTable::Primary, marked("symbol", "weather service site"), false, "WX"},
    {'X', SymbolTable::Primary, marked("symbol", "helicopter"), false},
    {'Y', SymbolTable::Primary, marked("symbol", "sailing yacht"), false},
    {'Z', SymbolTable::Primary, marked("symbol", "WinAPRS station"), false},
    {'[', SymbolTable::Primary, marked("symbol", "person on foot"), false},
    {'\\', SymbolTable::Primary, marked("symbol", "direction finding triangle"), false},
    {']', SymbolTable::Primary, marked("symbol", "post office, mail"), false},
    {'^', SymbolTable::Primary, marked("symbol", "large aircraft"), false, "plane airplane"},
    {'_', SymbolTable::Primary, marked("symbol", "weather station"), false, "WX"},
    {'`', SymbolTable::Primary, marked("symbol", "dish antenna"), false},
    {'a', SymbolTable::Primary, marked("symbol", "ambulance"), false},
    {'b', SymbolTable::Primary, marked("symbol", "bicycle"), false},
    {'c', SymbolTable::Primary, marked("symbol", "incident command post"), false},
    {'d', SymbolTable::Primary, marked("symbol", "fire department"), false},
    {'e', SymbolTable::Primary, marked("symbol", "horse, rider"), false},
    {'f', SymbolTable::Primary, marked("symbol", "fire engine, fire truck"), false},
    {'g', SymbolTable::Primary, marked("symbol", "glider"), false},
    {'h', SymbolTable::Primary, marked("symbol", "hospital"), false},
    {'i', SymbolTable::Primary, marked("symbol", "island (IOTA)"), false},
    {'j', SymbolTable::Primary, marked("symbol", "jeep"), false},
    {'k', SymbolTable::Primary, marked("symbol", "truck"), false},
    {'l', SymbolTable::Primary, marked("symbol", "laptop"), false},
    {'m', SymbolTable::Primary, marked("symbol", "Mic-E repeater"), false},
    {'n', SymbolTable::Primary, marked("symbol", "node (black bull's-eye)"), false},
    {'o', SymbolTable::Primary, marked("symbol", "emergency operations centre (EOC)"), false},
    {'p', SymbolTable::Primary, marked("symbol", "rover, dog"), false},
    {'q', SymbolTable::Primary, marked("symbol", "grid square shown above 128 m"), false},
    {'r', SymbolTable::Primary, marked("symbol", "repeater"), false},
    {'s', SymbolTable::Primary, marked("symbol", "power boat, ship"), false},
    {'t', SymbolTable::Primary, marked("symbol", "truck stop"), false},
    {'u', SymbolTable::Primary, marked("symbol", "lorry, 18-wheeler"), false},
    {'v', SymbolTable::Primary, marked("symbol", "van"), false},
    {'w', SymbolTable::Primary, marked("symbol", "water station"), false},
    {'x', SymbolTable::Primary, marked("symbol", "xAPRS station (Unix)"), false},
    {'y', SymbolTable::Primary, marked("symbol", "Yagi antenna at a home station"), false},
    {'z', SymbolTable::Primary, marked("symbol", "unassigned"), false},
    {'{', SymbolTable::Primary, marked("symbol", "unassigned"), false},
    {'|', SymbolTable::Primary, marked("symbol", "reserved (TNC stream switch)"), false},
    {'}', SymbolTable::Primary, marked("symbol", "unassigned"), false},
    {'~', SymbolTable::Primary, marked("symbol", "reserved (TNC stream switch)"), false},
}};

constexpr std::array<AprsSymbol, kSymbolCount> kAlternate = {{
    {'!', SymbolTable::Alternate, marked("symbol", "emergency"), true},
    {'"', SymbolTable::Alternate, marked("symbol", "reserved"), false},
    {'#', SymbolTable::Alternate, marked("symbol", "digipeater (green star)"), true},
    {'$', SymbolTable::Alternate, marked("symbol", "bank, cash machine"), true},
    {'%', SymbolTable::Alternate, marked("symbol", "power plant"), true},
    {'&', SymbolTable::Alternate,
     marked("symbol", "gateway (I IGate, R receive only, T one hop, 2 two hops)"), true},
    {'\'', SymbolTable::Alternate, marked("symbol", "crash or incident site"), true},
    {'(', SymbolTable::Alternate, marked("symbol", "cloudy"), true},
    {')', SymbolTable::Alternate, marked("symbol", "Earth observation satellite data (Firenet)"),
     true},
    {'*', SymbolTable::Alternate, marked("symbol", "unassigned (once snow)"), false},
    {'+', SymbolTable::Alternate, marked("symbol", "church"), false},
    {',', SymbolTable::Alternate, marked("symbol", "Girl Scouts"), false},
    {'-', SymbolTable::Alternate, marked("symbol", "house, home station (HF)"), true, "QTH"},
    {'.', SymbolTable::Alternate, marked("symbol", "position unknown (question mark)"), false},
    {'/', SymbolTable::Alternate, marked("symbol", "waypoint, destination"), false},
    {'0', SymbolTable::Alternate, marked("symbol", "circle (IRLP, EchoLink, WIRES node)"), true},
    {'1', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'2', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'3', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'4', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'5', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'6', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'7', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'8', SymbolTable::Alternate, marked("symbol", "network node (802.11 and others)"), true},
    {'9', SymbolTable::Alternate, marked("symbol", "petrol station"), false},
    {':', SymbolTable::Alternate, marked("symbol", "unassigned (once hail)"), false},
    {';', SymbolTable::Alternate, marked("symbol", "park, picnic area"), true},
    {'<', SymbolTable::Alternate, marked("symbol", "advisory (weather flag)"), true},
    {'=', SymbolTable::Alternate, marked("symbol", "unassigned, free for overlays"), true},
    {'>', SymbolTable::Alternate, marked("symbol", "car or other vehicle"), true},
    {'?', SymbolTable::Alternate, marked("symbol", "information kiosk"), false},
    {'@', SymbolTable::Alternate, marked("symbol", "hurricane, tropical storm"), false},
    {'A', SymbolTable::Alternate, marked("symbol", "box (DTMF, RFID, XO)"), true},
    {'B', SymbolTable::Alternate, marked("symbol", "unassigned (once blowing snow)"), false},
    {'C', SymbolTable::Alternate, marked("symbol", "Coast Guard"), false},
    {'D', SymbolTable::Alternate, marked("symbol", "depot"), true},
    {'E', SymbolTable::Alternate, marked("symbol", "smoke"), true},
    {'F', SymbolTable::Alternate, marked("symbol", "unassigned (once freezing rain)"), false},
    {'G', SymbolTable::Alternate, marked("symbol", "unassigned (once snow shower)"), false},
    {'H', SymbolTable::Alternate, marked("symbol", "haze, hazard"), true},
    {'I', SymbolTable::Alternate, marked("symbol", "rain shower"), true},
    {'J', SymbolTable::Alternate, marked("symbol", "unassigned (once lightning)"), false},
    {'K', SymbolTable::Alternate, marked("symbol", "Kenwood handheld radio"), false},
    {'L', SymbolTable::Alternate, marked("symbol", "lighthouse"), false},
    {'M', SymbolTable::Alternate, marked("symbol", "MARS station (A army, N navy, F air force)"),
     true},
    {'N', SymbolTable::Alternate, marked("symbol", "navigation buoy"), false},
    {'O', SymbolTable::Alternate, marked("symbol", "rocket, balloon"), true},
    {'P', SymbolTable::Alternate, marked("symbol", "parking"), false},
    {'Q', SymbolTable::Alternate, marked("symbol", "earthquake"), false},
    {'R', SymbolTable::Alternate, marked("symbol", "restaurant"), true},
    {'S', SymbolTable::Alternate, marked("symbol", "satellite"), false},
    {'T', SymbolTable::Alternate, marked("symbol", "thunderstorm"), false},
    {'U', SymbolTable::Alternate, marked("symbol", "sunny"), false},
    {'V', SymbolTable::Alternate, marked("symbol", "VORTAC navigation aid"), false},
    {'W', SymbolTable::Alternate, marked("symbol", "weather service site"), true, "WX"},
    {'X', SymbolTable::Alternate, marked("symbol", "pharmacy"), false},
    {'Y', SymbolTable::Alternate, marked("symbol", "radios and devices"), true},
    {'Z', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'[', SymbolTable::Alternate, marked("symbol", "wall cloud, people"), true},
    {'\\', SymbolTable::Alternate, marked("symbol", "GPS position"), true},
    {']', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'^', SymbolTable::Alternate, marked("symbol", "aircraft"), true, "plane airplane"},
    {'_', SymbolTable::Alternate, marked("symbol", "weather site (green)"), true, "WX"},
    {'`', SymbolTable::Alternate, marked("symbol", "rain"), true},
    {'a', SymbolTable::Alternate, marked("symbol", "ARRL, ARES, Winlink, D-STAR and other groups"),
     true},
    {'b', SymbolTable::Alternate, marked("symbol", "unassigned (once blowing dust)"), false},
    {'c', SymbolTable::Alternate, marked("symbol", "civil defence triangle (RACES, SATERN)"), true},
    {'d', SymbolTable::Alternate, marked("symbol", "DX spot by callsign"), false},
    {'e', SymbolTable::Alternate, marked("symbol", "sleet"), false},
    {'f', SymbolTable::Alternate, marked("symbol", "funnel cloud"), false},
    {'g', SymbolTable::Alternate, marked("symbol", "gale flags"), false},
    {'h', SymbolTable::Alternate, marked("symbol", "shop, hamfest"), true},
    {'i', SymbolTable::Alternate, marked("symbol", "point of interest (box)"), true},
    {'j', SymbolTable::Alternate, marked("symbol", "work zone"), false},
    {'k', SymbolTable::Alternate, marked("symbol", "special vehicle (SUV, ATV, 4x4)"), true},
    {'l', SymbolTable::Alternate, marked("symbol", "area (box, circle)"), false},
    {'m', SymbolTable::Alternate, marked("symbol", "value sign (shows three characters)"), false},
    {'n', SymbolTable::Alternate, marked("symbol", "triangle"), true},
    {'o', SymbolTable::Alternate, marked("symbol", "small circle"), false},
    {'p', SymbolTable::Alternate, marked("symbol", "unassigned (once partly cloudy)"), false},
    {'q', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'r', SymbolTable::Alternate, marked("symbol", "restrooms"), false},
    {'s', SymbolTable::Alternate, marked("symbol", "ship, boat"), true},
    {'t', SymbolTable::Alternate, marked("symbol", "tornado"), false},
    {'u', SymbolTable::Alternate, marked("symbol", "truck"), true},
    {'v', SymbolTable::Alternate, marked("symbol", "van"), true},
    {'w', SymbolTable::Alternate, marked("symbol", "flooding"), false},
    {'x', SymbolTable::Alternate, marked("symbol", "wreck or obstruction"), false},
    {'y', SymbolTable::Alternate, marked("symbol", "Skywarn"), false},
    {'z', SymbolTable::Alternate, marked("symbol", "shelter"), true},
    {'{', SymbolTable::Alternate, marked("symbol", "unassigned (once fog)"), false},
    {'|', SymbolTable::Alternate, marked("symbol", "reserved (TNC stream switch)"), false},
    {'}', SymbolTable::Alternate, marked("symbol", "unassigned"), false},
    {'~', SymbolTable::Alternate, marked("symbol", "reserved (TNC stream switch)"), false},
}};

// Latin-1's letters as a search takes them: in lower case and without their accents, so that
// "camion" finds "camión" and "ÜBER" "über"; "ß" and "æ" as their two letters. Blanks are the
// signs among them (×, ÷).
constexpr std::string_view kLatin1Folded[] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // C0
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",  // D0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // E0
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};  // F0

// East Asian scripts write names without blanks between words: a searched piece of them is
// looked for anywhere in a word.
bool isEastAsian(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF66 && c <= 0xFF9F);
}

// Punctuation of those scripts, which parts words as blanks and commas do.
bool isEastAsianPunctuation(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
           (c >= 0xFF5B && c <= 0xFF65);
}

struct SearchWord {
    std::string folded;
    bool eastAsian = false;
};

// The words of a text as a search compares them: runs of letters and digits, folded as above.
std::vector<SearchWord> wordsOf(std::string_view text) {
    std::vector<SearchWord> words(1);
    const auto partWords = [&words] {
        if (!words.back().folded.empty())
            words.emplace_back();
    };
    while (!text.empty()) {
        const std::optional<char32_t> c = takeUtf8(text);
        if (!c) {  // not UTF-8: a byte of the tracker's Latin-1 taken as its letter
            text.remove_prefix(1);
            partWords();
            continue;
        }
        if (*c < 0x80) {
            const char ascii = static_cast<char>(*c);
            if (isAsciiDigit(ascii) || isAsciiUpper(asciiUpper(ascii)))
                words.back().folded += asciiLower(ascii);
            else
                partWords();
        } else if (*c >= 0xC0 && *c <= 0xFF) {
            const std::string_view folded = kLatin1Folded[*c - 0xC0];
            if (folded.empty())
                partWords();
            words.back().folded += folded;
        } else if (*c < 0xC0 || isEastAsianPunctuation(*c)) {
            partWords();
        } else if (*c == 0x0152 || *c == 0x0153) {  // Œ and œ, as their two letters
            words.back().folded += "oe";
        } else {
            appendUtf8(words.back().folded, *c);
            words.back().eastAsian = words.back().eastAsian || isEastAsian(*c);
        }
    }
    if (words.back().folded.empty())
        words.pop_back();
    return words;
}

// Every searched word begins a word of the name (East Asian ones: stand anywhere in one), as the
// program names it, in the user's language or among its search words; a search without words
// names nothing.
bool namedBy(const AprsSymbol& symbol, const std::vector<SearchWord>& searched) {
    const auto namedIn = [&](std::string_view name) {
        const std::vector<SearchWord> words = wordsOf(name);
        return std::all_of(searched.begin(), searched.end(), [&](const SearchWord& wanted) {
            return std::any_of(words.begin(), words.end(), [&](const SearchWord& word) {
                return wanted.eastAsian ? word.folded.find(wanted.folded) != std::string::npos
                                        : word.folded.starts_with(wanted.folded);
            });
        });
    };
    const auto withSearchWords = [&](std::string_view name) {
        return std::string(name) + ' ' + std::string(symbol.searchWords);
    };
    return !searched.empty() && (namedIn(withSearchWords(symbol.name)) ||
                                 namedIn(withSearchWords(translated("symbol", symbol.name))));
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

std::vector<AprsSymbol> searchSymbols(std::string_view typed) {
    const std::string narrowed = asciiOfFullWidth(typed);
    const std::string_view search = narrowed;
    const std::vector<SearchWord> words = wordsOf(search);
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
    return table == SymbolTable::Primary ? translated("symbol", "primary table")
                                         : translated("symbol", "alternate table");
}

std::string describeSymbol(std::string_view symbol, SymbolTable table) {
    if (symbol.empty())
        return std::string(translated("symbol", "no symbol: the field takes one character"));
    // A file may bring more: the tracker gets the first, and that is the symbol named.
    symbol = symbol.substr(0, 1);
    const AprsSymbol* found = findSymbol(symbol.front(), table);
    if (!found) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(symbol.front()));
        return withArguments(translated("symbol", "%1 is no APRS symbol: the symbols are ! to ~"),
                             {code});
    }
    return withArguments(translated("symbol", "%1 \u2014 %2, %3"),
                         {symbol, translated("symbol", found->name), symbolTableName(table)});
}

std::string_view overlayRule() {
    return translated(
        "symbol",
        "An overlay is a digit 0-9 or a capital letter A-Z sent in place of the alternate "
        "table's \\ and drawn over the symbol; only the alternate symbols marked for it take "
        "one. The tracker sends the table as / or \\ only, so they show without an overlay.");
}

}  // namespace zelvar
