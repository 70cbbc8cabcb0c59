// Writes the manual as semantic HTML for the browser edition, from the same RTF source the
// desktop program shows: headings, paragraphs, lists, figures with their captions, bold, italic
// and monospace, the pictures as PNG files beside the page. No inline style or script, so the
// page's Content-Security-Policy holds.
//
//   zelvar-manual-html MANUAL.rtf OUTPUT-FOLDER
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextStream>
#include <QUrl>

#include "rtf/reader.h"

namespace {

// Point sizes that make a wholly bold paragraph a heading: the title, a chapter, a section.
constexpr double kTitleSize = 18;
constexpr double kChapterSize = 13;
constexpr double kSectionSize = 10.5;

const QRegularExpression kBullet(QStringLiteral("^\\x{2022}\\t"));
const QRegularExpression kTrailingBlanks(QStringLiteral("\\s+$"));

bool isMonospace(const QTextCharFormat& format) {
    return format.fontFixedPitch() || QFontInfo(format.font()).fixedPitch();
}

// The fragments of a block with their text, pictures aside.
struct Run {
    QString text;
    QTextCharFormat format;
};

std::vector<Run> runsOf(const QTextBlock& block) {
    std::vector<Run> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid() && !fragment.charFormat().isImageFormat())
            runs.push_back({fragment.text(), fragment.charFormat()});
    }
    return runs;
}

QString pictureOf(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid() && it.fragment().charFormat().isImageFormat())
            return it.fragment().charFormat().toImageFormat().name();
    }
    return {};
}

int headingLevel(const std::vector<Run>& runs) {
    double size = 0;
    bool any = false;
    for (const Run& run : runs) {
        if (run.text.trimmed().isEmpty())
            continue;
        if (run.format.fontWeight() < QFont::Bold)
            return 0;
        size = std::max(size, run.format.fontPointSize());
        any = true;
    }
    if (!any)
        return 0;
    return size >= kTitleSize ? 1 : size >= kChapterSize ? 2 : size > kSectionSize ? 3 : 0;
}

bool isCaption(const QTextBlock& block) {
    const std::vector<Run> runs = runsOf(block);
    return block.blockFormat().alignment().testFlag(Qt::AlignHCenter) && !runs.empty() &&
           std::all_of(runs.begin(), runs.end(), [](const Run& run) {
               return run.text.trimmed().isEmpty() || run.format.fontItalic();
           });
}

// A paragraph of monospace alone (or blank): a line of a drawing, an example or a file's text.
bool isMonospaceLine(const std::vector<Run>& runs) {
    return std::all_of(runs.begin(), runs.end(), [](const Run& run) {
        return run.text.trimmed().isEmpty() || isMonospace(run.format);
    });
}

QString plain(const std::vector<Run>& runs) {
    QString text;
    for (const Run& run : runs)
        text += run.text;
    return text.trimmed();
}

// A run as inline HTML: bold, italic and monospace as their elements.
QString inlineHtml(const std::vector<Run>& runs, bool dropBullet) {
    QString html;
    bool first = true;
    for (const Run& run : runs) {
        QString text = run.text;
        if (first && dropBullet)
            text.remove(kBullet);
        first = false;
        text = text.toHtmlEscaped().replace(QChar::LineSeparator, QStringLiteral("<br>"));
        if (isMonospace(run.format))
            text = QStringLiteral("<code>%1</code>").arg(text);
        if (run.format.fontItalic())
            text = QStringLiteral("<em>%1</em>").arg(text);
        if (run.format.fontWeight() >= QFont::Bold)
            text = QStringLiteral("<strong>%1</strong>").arg(text);
        html += text;
    }
    return html;
}

class ManualWriter {
  public:
    ManualWriter(const QTextDocument& document, QDir folder)
        : document_(document), folder_(std::move(folder)) {}

    bool write() {
        QString body;
        bool inList = false;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            const std::vector<Run> runs = runsOf(block);
            const bool item = !runs.empty() && kBullet.match(runs.front().text).hasMatch();
            if (inList && !item)
                body += QStringLiteral("</ul>\n");
            if (!item && pictureOf(block).isEmpty() && headingLevel(runs) == 0 &&
                isMonospaceLine(runs)) {
                inList = false;
                addLine(runs);
                continue;
            }
            endLines(body);
            if (item && !inList)
                body += QStringLiteral("<ul>\n");
            inList = item;
            if (const QString picture = pictureOf(block); !picture.isEmpty()) {
                QString caption;
                if (block.next().isValid() && isCaption(block.next())) {
                    block = block.next();
                    caption = plain(runsOf(block));
                }
                if (!figure(body, picture, caption))
                    return false;
                continue;
            }
            const QString html = inlineHtml(runs, item);
            if (html.trimmed().isEmpty())
                continue;
            if (item) {
                body += QStringLiteral("<li>%1</li>\n").arg(html);
            } else if (const int level = headingLevel(runs); level > 0) {
                if (title_.isEmpty())
                    title_ = plain(runs);
                body +=
                    QStringLiteral("<h%1>%2</h%1>\n").arg(level).arg(plain(runs).toHtmlEscaped());
            } else {
                body += QStringLiteral("<p>%1</p>\n").arg(html);
            }
        }
        if (inList)
            body += QStringLiteral("</ul>\n");
        endLines(body);
        return save(QStringLiteral("index.html"), page(body).toUtf8());
    }

  private:
    // Monospace lines in a row are one drawing or example, its leading blanks and blank lines
    // kept: one <pre> each, which lines up the wiring drawings' columns as the RTF has them.
    void addLine(const std::vector<Run>& runs) {
        QString line;
        for (const Run& run : runs)
            line += run.text;
        line.replace(QChar::LineSeparator, '\n').remove(kTrailingBlanks);
        if (!lines_.isEmpty() || !line.isEmpty())
            lines_ << line;
    }

    void endLines(QString& body) {
        while (!lines_.isEmpty() && lines_.back().isEmpty())
            lines_.removeLast();
        if (!lines_.isEmpty())
            body += QStringLiteral("<pre>%1</pre>\n").arg(lines_.join('\n').toHtmlEscaped());
        lines_.clear();
    }

    bool figure(QString& body, const QString& name, const QString& caption) {
        const auto image =
            document_.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
        const QString file = QStringLiteral("picture-%1.png").arg(++pictures_);
        if (image.isNull() || !image.save(folder_.filePath(file), "PNG")) {
            QTextStream(stderr) << "cannot write " << folder_.filePath(file) << "\n";
            return false;
        }
        const QString alt =
            caption.isEmpty() ? QStringLiteral("Picture %1").arg(pictures_) : caption;
        body += QStringLiteral("<figure><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\">")
                    .arg(file)
                    .arg(image.width())
                    .arg(image.height())
                    .arg(alt.toHtmlEscaped());
        if (!caption.isEmpty())
            body += QStringLiteral("<figcaption>%1</figcaption>").arg(caption.toHtmlEscaped());
        body += QStringLiteral("</figure>\n");
        return true;
    }

    QString page(const QString& body) const {
        return QStringLiteral(
                   "<!doctype html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                   "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                   "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                   "img-src 'self'; style-src 'self'; base-uri 'none'; form-action 'none'\">\n"
                   "<meta name=\"color-scheme\" content=\"light dark\">\n"
                   "<title>%1</title>\n<link rel=\"stylesheet\" href=\"manual.css\">\n"
                   // The page's icon, so that browsers do not ask for a /favicon.ico there is not.
                   "<link rel=\"icon\" type=\"image/svg+xml\" href=\"../icon.svg\">\n</head>\n"
                   "<body>\n<main>\n%2</main>\n</body>\n</html>\n")
            .arg(title_.toHtmlEscaped(), body);
    }

    bool save(const QString& name, const QByteArray& bytes) const {
        QFile file(folder_.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            QTextStream(stderr) << "cannot write " << file.fileName() << "\n";
            return false;
        }
        return true;
    }

    const QTextDocument& document_;
    QDir folder_;
    QString title_;
    QStringList lines_;
    int pictures_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: zelvar-manual-html MANUAL.rtf OUTPUT-FOLDER\n";
        return 2;
    }
    QTextDocument document;
    if (zelvar::Result<> read = zelvar::readRtfFile(QString::fromLocal8Bit(argv[1]), document);
        !read) {
        QTextStream(stderr) << argv[1] << ": " << QString::fromStdString(read.error().reason)
                            << "\n";
        return 1;
    }
    QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot make " << argv[2] << "\n";
        return 1;
    }
    return ManualWriter(document, folder).write() ? 0 : 1;
}
