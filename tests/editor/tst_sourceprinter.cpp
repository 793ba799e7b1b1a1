#include "support/TestMain.h"

#include "editor/SourcePrinter.h"
#include "editor/SyntaxColorizer.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QMap>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {
struct PaintedText
{
    int page;
    QRectF rect;
    QString text;
    QColor colour;
    bool bold;
};

// A Letter sheet at 1200 dots per inch that records where text is painted.
class CPaperRecorder : public QPaintDevice, private QPaintEngine
{
public:
    static constexpr int kDpi = 1200;
    CPaperRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}

    QPaintEngine* paintEngine() const override { return const_cast<CPaperRecorder*>(this); }
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return kDpi * 85 / 10;
        case PdmHeight: return kDpi * 11;
        case PdmWidthMM: return 216;
        case PdmHeightMM: return 279;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return kDpi;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return metric == PdmDepth ? 32 : 1;
        }
    }
    bool NewPage() { ++m_page; return true; }

    QList<PaintedText> painted;

private:
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
        if (state.state() & QPaintEngine::DirtyPen)
            m_colour = state.pen().color();
    }
    void drawTextItem(const QPointF& baseline, const QTextItem& item) override
    {
        const QPointF at = m_transform.map(baseline);
        painted.append({m_page, QRectF(at.x(), at.y() - item.ascent(), item.width(), item.ascent() + item.descent()),
                        item.text(), m_colour, item.font().bold()});
    }

    int m_page = 1;
    QTransform m_transform;
    QColor m_colour;
};
} // namespace

class TestSourcePrinter : public QObject
{
    Q_OBJECT
private slots:
    void printsEveryLineInColourWithinHalfInchMargins();
};

// Every character is painted once, inside margins of half an inch, even a
// line far wider than the sheet, and nothing else is painted (no page
// numbers). Lines the editor never showed are printed in their colours too,
// on every page, bold keywords included.
void TestSourcePrinter::printsEveryLineInColourWithinHalfInchMargins()
{
    QString longLine;
    for (int i = 0; i < 50; ++i)
        longLine += QStringLiteral("%1.%2").arg(i % 10).arg(QString(8, QChar(u'a' + i % 26)));
    QStringList lines{QStringLiteral("<P>"), longLine};
    for (int i = 0; i < 400; ++i)
        lines.append(QStringLiteral("<TABLE WIDTH=%1>Red").arg(i));
    QPlainTextEdit editor;
    editor.setPlainText(lines.join(QLatin1Char('\n')));
    editor.document()->setDefaultFont(QFont(QStringLiteral("Courier New"), 10));
    editor.resize(400, 200);
    auto* colorizer = new CSyntaxColorizer(&editor);
    colorizer->SetSyntaxColoring(true);
    colorizer->SetLanguage(QStringLiteral("page.html"));

    CPaperRecorder paper;
    CSourcePrinter::Print(*editor.document(), &paper, 720, [&paper] { return paper.NewPage(); }, {0, 0},
                          [colorizer](const QTextBlock& block) { return colorizer->BlockFormats(block); });

    const qreal margin = CPaperRecorder::kDpi / 2.0;
    const QRectF inside(margin, margin, paper.width() - 2 * margin, paper.height() - 2 * margin);
    QString all;
    int lastPage = 0;
    QMap<int, QPointF> corners;
    int tables = 0;
    int reds = 0;
    for (const PaintedText& item : paper.painted) {
        QVERIFY2(inside.adjusted(-1, -1, 1, 1).contains(item.rect), qPrintable(QStringLiteral("%1 page %2 at %3,%4 %5x%6").arg(item.text).arg(item.page).arg(item.rect.x()).arg(item.rect.y()).arg(item.rect.width()).arg(item.rect.height())));
        // Each page starts at the top left corner inside the margins. A
        // line's regular text may sit lower than its bold text, so the
        // corner is where the page's text reaches furthest up and left.
        QPointF& corner = corners[item.page];
        corner = corner.isNull() ? item.rect.topLeft()
                                 : QPointF(qMin(corner.x(), item.rect.left()), qMin(corner.y(), item.rect.top()));
        lastPage = item.page;
        all += item.text;
        const QString text = item.text.trimmed();
        if (text == QLatin1String("TABLE") || text == QLatin1String("WIDTH")) {
            QCOMPARE(item.colour, QColor(0, 0, 255));
            tables += text == QLatin1String("TABLE");
        } else if (text == QLatin1String("Red")) {
            QVERIFY(item.bold);
            ++reds;
        } else {
            QVERIFY2(!text.contains(QLatin1String("TABLE")) && !text.contains(QLatin1String("Red")),
                     qPrintable(text));
        }
    }
    QVERIFY(lastPage >= 3);
    for (auto corner = corners.cbegin(); corner != corners.cend(); ++corner) {
        QVERIFY2(qRound(corner->x()) == qRound(margin) && qRound(corner->y()) == qRound(margin),
                 qPrintable(QStringLiteral("page %1 starts at %2,%3").arg(corner.key()).arg(corner->x()).arg(corner->y())));
    }
    QCOMPARE(all.remove(QLatin1Char(' ')), lines.join(QString()).remove(QLatin1Char(' ')));
    QCOMPARE(QStringLiteral("%1 %2").arg(tables).arg(reds), QStringLiteral("400 400"));

    // With colouring off no colours are given: the same text is printed.
    CPaperRecorder plain;
    CSourcePrinter::Print(*editor.document(), &plain, 720, [&plain] { return plain.NewPage(); });
    QString plainText;
    for (const PaintedText& item : plain.painted)
        plainText += item.text;
    QCOMPARE(plainText.remove(QLatin1Char(' ')), all);
}

ZT_TEST_MAIN(TestSourcePrinter)
#include "tst_sourceprinter.moc"
