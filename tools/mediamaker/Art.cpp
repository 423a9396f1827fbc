#include "tools/mediamaker/Art.h"

#include <QFontDatabase>
#include <QPainterPath>

namespace {

const char* const GothicFile = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
QString gothicFamily;

bool IsPureWhite(QRgb c)
{
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

} // namespace

QImage OpaqueImage(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage LayerImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void SmoothPainter(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage Composite(const QImage& under, const QImage& layer)
{
    QImage result = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&result);
    p.drawImage(0, 0, layer);
    return result;
}

QImage CutOut(const QImage& under, const QImage& layer)
{
    QImage result = Composite(under, layer);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto* alpha = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(alpha[x]) == 0) {
                row[x] = TransparentWhite.rgb();
            } else if (IsPureWhite(row[x])) {
                row[x] = OpaqueWhite.rgb();
            }
        }
    }
    return result;
}

QImage RenderShader(int width, int height, const Shader& shader)
{
    constexpr int N = 4;
    QImage image = OpaqueImage(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            Rgb sum;
            int covered = 0;
            for (int j = 0; j < N; ++j) {
                for (int i = 0; i < N; ++i) {
                    const Sample s = shader(x + (i + 0.5) / N, y + (j + 0.5) / N);
                    sum = sum + s.colour;
                    covered += s.covered ? 1 : 0;
                }
            }
            if (covered == 0) {
                continue;
            }
            const QRgb c = (sum * (1.0 / (N * N))).ToColor().rgb();
            row[x] = IsPureWhite(c) ? OpaqueWhite.rgb() : c;
        }
    }
    return image;
}

bool LoadFonts()
{
    const int id = QFontDatabase::addApplicationFont(GothicFile);
    if (id < 0 || QFontDatabase::applicationFontFamilies(id).isEmpty()) {
        return false;
    }
    gothicFamily = QFontDatabase::applicationFontFamilies(id).first();
    return true;
}

QFont Gothic(double pixelSize)
{
    QFont font(gothicFamily);
    font.setPixelSize(int(pixelSize + 0.5));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QPainterPath TextPath(const QString& text, const QFont& font, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    return path;
}

void DrawText(QPainter& p, const QString& text, const QFont& font, QPointF centre, const QColor& ink,
              double weight)
{
    const QPainterPath path = TextPath(text, font, centre);
    p.save();
    p.setPen(weight > 0 ? QPen(ink, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p.setBrush(ink);
    p.drawPath(path);
    p.restore();
}
