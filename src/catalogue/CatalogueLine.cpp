#include "catalogue/Module1.h"
#include "catalogue/ValueLists.h"
#include "platform/MacRoman.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>

namespace {

// Searches and cuts within one line; positions count from 1 and 0 means
// "not found", as in the line syntax's own terms.
class LineReader {
public:
    explicit LineReader(const QString& line) : line_(line) {}

    // The marks lie a few characters apart, nearer than a library search
    // repays its start-up.
    int Find(QChar mark, int from) const {
        for (qsizetype i = std::max(from, 1) - 1; i < line_.size(); ++i)
            if (line_.at(i) == mark) return int(i) + 1;
        return 0;
    }

    // Reads the part that opens at `open` up to its `close` mark and moves the
    // cursor there. A part left open takes the rest of the line and ends the
    // line's parsing.
    QStringView Part(int open, QChar close) {
        const QStringView line(line_);
        const int end = Find(close, open + 1);
        if (end == 0) {
            ended_ = true;
            cursor_ = int(line_.size());
            return line.mid(open);
        }
        cursor_ = end;
        return line.mid(open, end - open - 1);
    }

    // The part whose opening mark comes first after the cursor; false when
    // there is none or the line's parsing has ended.
    bool Optional(QChar open, QChar close, QStringView& part) {
        if (ended_) return false;
        const int at = Find(open, cursor_ + 1);
        if (at == 0) return false;
        part = Part(at, close);
        return true;
    }

    void End() { ended_ = true; }

private:
    const QString& line_;
    int cursor_ = 0;
    bool ended_ = false;
};

// The stored parts of a line, as views of it.
struct LineParts {
    QStringView name, year, publisher, genre, raw, flags, author, source;
    bool hasRaw = false;
};

LineParts SplitLine(const QString& line) {
    LineParts p;
    LineReader r(line);
    const int o1 = r.Find(QLatin1Char('('), 1);
    if (o1 == 0) {
        // Keep everything, so that the next save loses nothing of the line.
        p.name = line;
        r.End();
    } else {
        p.name = QStringView(line).left(std::max(0, o1 - 2));
        p.year = r.Part(o1, QLatin1Char(')'));
        r.Optional(QLatin1Char('('), QLatin1Char(')'), p.publisher);
    }
    r.Optional(QLatin1Char('<'), QLatin1Char('>'), p.genre);
    p.hasRaw = r.Optional(QLatin1Char('['), QLatin1Char(']'), p.raw);
    r.Optional(QLatin1Char('{'), QLatin1Char('}'), p.flags);
    r.Optional(QLatin1Char('('), QLatin1Char(')'), p.author);
    r.Optional(QLatin1Char('/'), QLatin1Char('/'), p.source);
    return p;
}

const char* const kSeries[] = {" (I)", " (II)", " (III)", " (IV)", " (V)", " (VI)", " (VII)", " (VIII)", " (IX)", " (X)"};

constexpr int kFlagA = 1;
constexpr int kFlagD = 4;
constexpr int kFlagP = 16;
constexpr int kFlagR = 18;
constexpr int kFlagS = 19;
constexpr int kFlagV = 22;

void ReadFlags(QStringView text, clsGame& g) {
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code >= u'A' && code <= u'Z') g.ucFlags[code - 64] = true;
        else if (code >= u'a' && code <= u'z') g.lcFlags[code - 96] = true;
        if (code == u'd') g.DiskOK = QStringLiteral("No");
        else if (code == u'D') g.DiskOK = QStringLiteral("Yes");
        else if (code == u'p') g.PicOK = QStringLiteral("No");
        else if (code == u'P') g.PicOK = QStringLiteral("Yes");
    }
}

// The ASCII characters a file-name stem keeps; it drops every other one.
const std::array<bool, 128> kStripKept = [] {
    std::array<bool, 128> kept{};
    for (char16_t c = 0; c < 128; ++c) kept[c] = IsAsciiAlnum(QChar(c));
    for (const char c : {'[', ']', '_', '-', '\\', '/'}) kept[size_t(c)] = true;
    return kept;
}();

bool IsStripKept(QChar ch) {
    return ch.unicode() < kStripKept.size() && kStripKept[ch.unicode()];
}

// Appends the file-name stem of `s` to `stem`.
void StripInto(QStringView s, QString& stem) {
    const qsizetype n = s.size();
    const qsizetype start = stem.size();
    stem.resize(start + n);  // the stem is never longer than the text
    QChar* out = stem.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        QChar ch = s.at(i);
        if (ch == QLatin1Char('&')) ch = QLatin1Char('n');
        if (ch == QLatin1Char('.')) {
            if (i + 1 < n && IsAsciiDigit(s.at(i + 1)))
                *out++ = QLatin1Char('.');
            else if (i + 2 < n && TextEquals(s.mid(i + 1, 2), u"hq"))
                *out++ = QLatin1Char('.');
        }
        // Written always and kept by moving on: blanks and marks come too
        // irregularly for a branch to be guessed well.
        *out = ch;
        out += IsStripKept(ch);
    }
    stem.truncate(out - stem.constData());
}

// The image file's name for a raw file name that is empty or an extension:
// the stem of the name (up to its first ","), stripped, then the extension.
void AppendFileName(QStringView name, QStringView extension, QString& out) {
    const qsizetype comma = name.indexOf(QLatin1Char(','));
    StripInto(comma < 0 ? name : name.left(comma), out);
    out += extension.isEmpty() ? QStringView(u".ssd") : extension;
}

// The publisher's folder: four publishers go by a shorter name.
void AppendPublisherFolder(QStringView publisher, QString& path) {
    static const QStringView kShort[][2] = {{u"Addictive Games", u"Addictive"},
                                            {u"Virgin Games", u"Virgin"},
                                            {u"Yes! Software", u"Yes"},
                                            {u"Pro Software", u"Pro"}};
    for (const auto& pair : kShort) {
        if (TextEquals(publisher, pair[0])) {
            path += pair[1];
            return;
        }
    }
    StripInto(publisher, path);
}

// Empties a field, with room for `size` characters, in the buffer it holds
// alone if that is large enough: a reload refills the records of the load
// before in place, which spares an allocation for most fields of every game.
void Refill(QString& field, qsizetype size) {
    if (field.isDetached() && field.capacity() >= size) {
        field.resize(0);
    } else {
        field = QString();
        field.reserve(size);
    }
}

void SetText(QString& field, QStringView text) {
    Refill(field, text.size());
    field.append(text);
}

}  // namespace

void ParseGame(const QString& line) {
    ++gamecount;
    GrowToSlot(games, gamecount);
    if (!games[gamecount]) games[gamecount] = std::make_unique<clsGame>();
    clsGame& g = *games[gamecount];
    // What the line does not set starts empty, as in a new record.
    g.lcFlags.fill(false);
    g.ucFlags.fill(false);
    g.DiskOK = QString();
    g.PicOK = QString();
    g.Game = line;
    // A derived field that shares its source's text lets go of it, so that
    // the source can be refilled in place.
    if (g.DisplayName.isSharedWith(g.Name)) g.DisplayName = QString();
    if (g.Filename.isSharedWith(g.RawFileName)) g.Filename = QString();

    // The parts are read as views of the line and copied once at the end.
    const LineParts p = SplitLine(line);
    ReadFlags(p.flags, g);
    const QStringView name = p.name, publisher = p.publisher, raw = p.raw;
    const bool hasRaw = p.hasRaw;

    if (name.size() == line.size()) g.Name = line;
    else SetText(g.Name, name);
    SetText(g.RawFileName, raw);
    SetText(g.Author, p.author);

    if (hasRaw && !raw.startsWith(QLatin1Char('.'))) {
        g.Filename = g.RawFileName;
    } else {
        Refill(g.Filename, name.size() + (hasRaw ? raw.size() : 4));
        AppendFileName(name, raw, g.Filename);
    }

    const QStringView sharedFolder = g.lcFlags[kFlagV]   ? QStringView(u"Various")
                                     : g.lcFlags[kFlagA] ? QStringView(u"Adventures")
                                                         : QStringView();
    Refill(g.DisplayFilename, std::max(sharedFolder.size(), publisher.size()) + 1 + g.Filename.size());
    if (sharedFolder.isEmpty()) AppendPublisherFolder(publisher, g.DisplayFilename);
    else g.DisplayFilename += sharedFolder;
    g.DisplayFilename += QLatin1Char('/');
    g.DisplayFilename += g.Filename;

    const char* series = nullptr;
    if (g.lcFlags[kFlagS]) {
        ++gSame;
        if (gSame >= 1 && gSame <= 10) series = kSeries[gSame - 1];
    } else {
        gSame = 0;
    }
    if (series || g.lcFlags[kFlagR]) {
        SetText(g.DisplayName, g.Name);
        if (series) g.DisplayName += QLatin1String(series);
        if (g.lcFlags[kFlagR]) g.DisplayName += u" [Re]";
    } else {
        g.DisplayName = g.Name;
    }

    // Each list sees its values in game order; the field shares the list's
    // entry when the letter case agrees.
    g.Year = OfferYear(p.year);
    g.Genre = OfferGenre(p.genre);
    g.Publisher = OfferPub(publisher);
    g.Source = OfferSource(p.source);
}

QString BuildGame(int i) {
    if (i < 1 || i > UBound(games) || !games[i]) return QString();
    return LineOf(*games[i]);
}

QString LineOf(clsGame& g) {
    QString line = g.Name + QStringLiteral(" (") + g.Year + QStringLiteral(") (") + g.Publisher + QLatin1Char(')');
    if (!g.Genre.isEmpty()) line += QLatin1Char('<') + g.Genre + QLatin1Char('>');
    if (!g.RawFileName.isEmpty()) line += QLatin1Char('[') + g.RawFileName + QLatin1Char(']');

    g.ucFlags[kFlagD] = TextEquals(g.DiskOK, QStringLiteral("Yes"));
    g.lcFlags[kFlagD] = TextEquals(g.DiskOK, QStringLiteral("No"));
    g.ucFlags[kFlagP] = TextEquals(g.PicOK, QStringLiteral("Yes"));
    g.lcFlags[kFlagP] = TextEquals(g.PicOK, QStringLiteral("No"));
    QString flags;
    for (int k = 1; k <= 26; ++k) {
        if (g.ucFlags[k]) flags += QChar(char16_t(64 + k));
        if (g.lcFlags[k]) flags += QChar(char16_t(96 + k));
    }
    if (!flags.isEmpty()) line += QLatin1Char('{') + flags + QLatin1Char('}');

    if (!g.Author.isEmpty()) line += QLatin1Char('(') + g.Author + QLatin1Char(')');
    if (!g.Source.isEmpty()) line += QLatin1Char('/') + g.Source + QLatin1Char('/');
    return line;
}

QString Strip(const QString& s) {
    QString stem;
    StripInto(s, stem);
    return stem;
}

clsGame ReadBack(const clsGame& game) {
    clsGame written = game;
    // The writer composes the line and puts "?" for what Mac Roman cannot hold.
    QString line = MacRoman::AsStored(LineOf(written));
    // The file ends the line at a line end.
    line.truncate(std::find_if(line.cbegin(), line.cend(), [](QChar ch) { return ch == u'\r' || ch == u'\n'; }) -
                  line.cbegin());
    const LineParts p = SplitLine(line);
    clsGame read;
    read.Name = p.name.toString();
    read.Year = p.year.toString();
    read.Publisher = p.publisher.toString();
    read.Genre = p.genre.toString();
    read.RawFileName = p.raw.toString();
    read.Author = p.author.toString();
    read.Source = p.source.toString();
    return read;
}

namespace {

// `text` up to the first of `marks`, without the blanks before it; the whole
// text when it holds none.
QString CutAt(const QString& text, QStringView marks) {
    qsizetype end = 0;
    while (end < text.size() && !marks.contains(text.at(end))) ++end;
    if (end == text.size()) return text;
    while (end > 0 && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.left(end);
}

}  // namespace

QString FoundName(const QString& base) {
    return CutAt(base, u"(\r\n");
}

QString FoundPublisher(const QString& folder) {
    return CutAt(folder, u"()\r\n");
}

bool SplitFoundEntry(const QString& entry, QString& base, QString& ext) {
    if (TextEquals(QStringView(entry).right(4), u".txt")) return false;
    const qsizetype dot = entry.lastIndexOf(QLatin1Char('.'));
    base = dot >= 0 ? entry.left(dot) : entry;
    ext = dot >= 0 ? entry.mid(dot) : QString();
    return !base.isEmpty();
}

QString AddedFolder(const QString& subFolder) {
    QString folder;
    AppendPublisherFolder(MacRoman::AsStored(FoundPublisher(subFolder)), folder);
    return folder;
}

QString AddedFileName(const QString& entry) {
    QString base, ext;
    if (!SplitFoundEntry(entry, base, ext)) return QString();
    QString file;
    AppendFileName(MacRoman::AsStored(FoundName(base)), FoundRawFileName(ext), file);
    return file;
}
