#include "tools/mediamaker/ContactSheet.h"

#include "puzzle/FieldGeometry.h"
#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/BoardGeometry.h"
#include "tools/mediamaker/ButtonArt.h"
#include "tools/mediamaker/Palette.h"

#include <QPainterPath>

namespace {

const QColor SheetBack(96, 100, 108);
const QColor LabelInk(236, 238, 240);

// What the game does with a picture whose Transparent is 1.
QImage WhiteToAlpha(const QImage& picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((row[x] & 0xffffff) == 0xffffff) {
                row[x] = 0;
            }
        }
    }
    return result;
}

struct Scene {
    std::vector<int> values; // per cell in BoardCells() order, -1 empty
    std::vector<int> highlighted;
    int banner = 0;     // EndPict row, 0 none
    QString endPicture; // drawn centred over everything but the buttons
    bool greenDisc = false;
    bool startKeys[2] = {false, false};
    bool undoKeys[2] = {false, false};
    int pushedStart = -1;
    int pushedUndo = -1;
};

void DrawButtons(QPainter& p, const std::vector<NamedImage>& set, QPoint offset, const QString& base,
                 const QString normal[2], const QString pushed[2], const bool enabled[2], int pushedKey)
{
    p.drawImage(offset, PictureNamed(set, base));
    for (int key = 0; key < 2; ++key) {
        if (enabled[key]) {
            p.drawImage(offset, WhiteToAlpha(PictureNamed(set, key == pushedKey ? pushed[key] : normal[key])));
        }
    }
}

// The field as the game paints it: background, banner, tiles, end picture, buttons.
QImage DrawScene(const std::vector<NamedImage>& set, const Scene& scene)
{
    QImage field = PictureNamed(set, "BackPict.png").convertToFormat(QImage::Format_RGB32);
    QPainter p(&field);
    if (scene.banner > 0) {
        p.drawImage(QPoint(BannerLeft, BannerTop), PictureNamed(set, "EndPict.png"),
                    QRect(0, scene.banner * BannerHeight, BannerWidth, BannerHeight));
    }
    const QImage triangles = WhiteToAlpha(PictureNamed(set, "TrianglePict.png"));
    const QImage highlighted = WhiteToAlpha(PictureNamed(set, "TriangleHiPict.png"));
    const QImage digits = PictureNamed(set, "TilePict.png");
    const auto& cells = BoardCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const int v = scene.values[i];
        if (v < 0) {
            continue;
        }
        const bool hi = std::find(scene.highlighted.begin(), scene.highlighted.end(), int(i)) !=
                        scene.highlighted.end();
        const CellPlace& c = cells[i];
        p.drawImage(QPoint(c.left, c.top), hi ? highlighted : triangles,
                    QRect(0, c.up ? CellHeight : 0, CellWidth, CellHeight));
        p.drawImage(QPoint(c.left + DigitLeft, c.top + (c.up ? DigitTopUp : DigitTopDown)), digits,
                    QRect(v * DigitSize, 0, DigitSize, DigitSize));
    }
    if (scene.greenDisc) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setOpacity(palette::DeadEndGreenOpacity);
        p.setPen(Qt::NoPen);
        p.setBrush(palette::DeadEndGreen.ToColor());
        p.drawEllipse(QPoint(FieldCentre, FieldCentre), DeadEndDiscDiameter / 2, DeadEndDiscDiameter / 2);
        p.restore();
    }
    if (!scene.endPicture.isEmpty()) {
        const QImage end = WhiteToAlpha(PictureNamed(set, scene.endPicture));
        p.drawImage((FieldSize - end.width()) / 2, (FieldSize - end.height()) / 2, end);
    }
    const QString startNormal[2] = {"StartBtnPictN.png", "RetryBtnPictN.png"};
    const QString startPushed[2] = {"RetryBtnPictR.png", "RetryBtnPictR1.png"};
    const QString undoNormal[2] = {"UndoBtnPictN.png", "RedoBtnPictN.png"};
    const QString undoPushed[2] = {"UndoBtnPictR.png", "RedoBtnPictR.png"};
    DrawButtons(p, set, StartGroupOffset, "StartBtnPictB.png", startNormal, startPushed, scene.startKeys,
                scene.pushedStart);
    DrawButtons(p, set, UndoGroupOffset, "UndoBtnPictB.png", undoNormal, undoPushed, scene.undoKeys,
                scene.pushedUndo);
    return field;
}

std::vector<Scene> SampleScenes()
{
    Scene playing;
    playing.values = {3, 4, -1, 6, 7, 2, 2, 3, 9, 1, 5, -1, 8, 8, 7, 6, 0, 4, 5, 3, 1, -1, 9, 2};
    playing.highlighted = {8, 16};
    playing.undoKeys[0] = true;
    playing.undoKeys[1] = true;
    playing.pushedUndo = 0;

    Scene deadEnd;
    deadEnd.values = {-1, 1, -1, -1, 5, -1, -1, 9, -1, -1, -1, 3, -1, -1, 7, -1, -1, -1, -1, -1, 1, -1, -1, -1};
    deadEnd.greenDisc = true;
    deadEnd.endPicture = "DeadEndPict.png";

    Scene complete;
    complete.values.assign(24, -1);
    complete.endPicture = "CompletePict.png";

    Scene aborted = deadEnd;
    aborted.greenDisc = false;
    aborted.endPicture.clear();
    aborted.banner = 3;
    aborted.startKeys[0] = aborted.startKeys[1] = true;
    aborted.pushedStart = 0;

    Scene stuck = aborted;
    stuck.banner = 2;
    stuck.pushedStart = 1;
    return {playing, deadEnd, complete, aborted, stuck};
}

void Label(QPainter& p, QPointF at, const QString& text)
{
    p.setPen(LabelInk);
    p.setFont(Gothic(12));
    p.drawText(at, text);
}

} // namespace

QImage ContactSheet(const std::vector<NamedImage>& pictures, const std::vector<NamedImage>& cursors)
{
    constexpr int Margin = 16;
    constexpr int Scale = 2;
    const std::vector<Scene> scenes = SampleScenes();
    const int width = Margin + int(scenes.size()) * (FieldSize + Margin);
    QImage sheet = OpaqueImage(width, 2400, SheetBack);
    QPainter p(&sheet);

    int x = Margin;
    for (const Scene& scene : scenes) {
        p.drawImage(x, Margin, DrawScene(pictures, scene));
        x += FieldSize + Margin;
    }

    // Every picture at twice its size, in rows, then the cursors on light and dark.
    int y = 2 * Margin + FieldSize + 14;
    x = Margin;
    int rowHeight = 0;
    auto place = [&](const NamedImage& named, const QColor& behind) {
        const QSize size = named.image.size() * Scale;
        if (x + size.width() > width - Margin) {
            x = Margin;
            y += rowHeight + 24;
            rowHeight = 0;
        }
        Label(p, QPointF(x, y - 4),
              QString("%1 %2x%3").arg(named.file).arg(named.image.width()).arg(named.image.height()));
        p.fillRect(QRect(QPoint(x, y), size), behind);
        p.drawImage(QRect(QPoint(x, y), size), named.image);
        x += std::max(size.width(), 150) + Margin;
        rowHeight = std::max(rowHeight, size.height());
    };
    for (const NamedImage& named : pictures) {
        place(named, Qt::white);
    }
    for (const NamedImage& named : cursors) {
        place(named, QColor(230, 230, 230));
        place({named.file + " (dark)", named.image}, QColor(30, 40, 50));
    }
    p.end();
    return sheet.copy(0, 0, width, std::min(sheet.height(), y + rowHeight + Margin));
}
