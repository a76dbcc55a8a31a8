#include "tools/karvel-tool/InfoJson.h"

#include "assistant/Bt.h"
#include "assistant/Farbcode.h"
#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Kreis.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"

#include <QtCore/QJsonArray>
#include <QtGui/QImage>

namespace karvel {

namespace {

QJsonArray PointJson(QPoint p) {
    return QJsonArray{p.x(), p.y()};
}

QJsonArray PointsJson(const std::vector<QPoint>& points) {
    QJsonArray array;
    for (const QPoint& p : points)
        array.append(PointJson(p));
    return array;
}

QJsonArray RectJson(const Rect& r) {
    return QJsonArray{r.Left, r.Top, r.Right, r.Bottom};
}

QString ClassNameOf(const TBauteil& element) {
    const std::string_view name = element.ClassName();
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

void AddBaseFields(QJsonObject& json, TBauteil& e) {
    json[QStringLiteral("class")] = ClassNameOf(e);
    json[QStringLiteral("BauteilTyp")] = int(e.BauteilTyp);
    json[QStringLiteral("Stiftbreite")] = e.Stiftbreite();
    json[QStringLiteral("Stiftfarbe")] = qint64(e.Stiftfarbe());
    json[QStringLiteral("Brushfarbe")] = qint64(e.Brushfarbe());
    json[QStringLiteral("FuellenFlag")] = e.FuellenFlag();
    json[QStringLiteral("InGroup")] = e.InGroup;
    json[QStringLiteral("Anchors")] = PointsJson(e.Anchors);
    json[QStringLiteral("istAufLoetseite")] = e.istAufLoetseite();
    json[QStringLiteral("HasteBitmap")] = e.HasteBitmap();
    json[QStringLiteral("Glaetten")] = e.Glaetten();
    json[QStringLiteral("GlaettenStil")] = int(e.GlaettenStil());
    json[QStringLiteral("GlaettenBetrag")] = e.GlaettenBetrag();
    json[QStringLiteral("Fraesen")] = e.Fraesen();
}

void AddWireFields(QJsonObject& json, const TDraht& wire) {
    json[QStringLiteral("Nodes")] = PointsJson(wire.Nodes);
    json[QStringLiteral("RememberedNodes")] =
        wire.RememberedNodes ? QJsonValue(PointsJson(*wire.RememberedNodes)) : QJsonValue();
}

void AddGroupFields(QJsonObject& json, TGruppe& group, Canvas& canvas) {
    json[QStringLiteral("Identifier")] = group.Identifier;
    json[QStringLiteral("Value")] = group.Value;
    json[QStringLiteral("Description")] = group.Description;
    json[QStringLiteral("Number")] = group.Number;
    json[QStringLiteral("IsComponent")] = group.IsComponent;
    json[QStringLiteral("InComponentsList")] = group.InComponentsList;
    QJsonArray members;
    for (const auto& member : group.Members())
        members.append(ElementToJson(*member, canvas));
    json[QStringLiteral("Members")] = members;
}

void AddClassFields(QJsonObject& json, TBauteil& e, Canvas& canvas) {
    if (auto* track = dynamic_cast<TLeiterbahn*>(&e)) {
        AddWireFields(json, *track);
        json[QStringLiteral("Contour")] = PointsJson(track->Contour().Nodes);
    } else if (auto* wire = dynamic_cast<TDraht*>(&e)) {
        AddWireFields(json, *wire);
    } else if (auto* round = dynamic_cast<RoundElement*>(&e)) {
        json[QStringLiteral("Diameter")] = round->Diameter;
        json[QStringLiteral("Centre")] = PointJson(round->Centre);
    } else if (auto* cut = dynamic_cast<TTrenner*>(&e)) {
        json[QStringLiteral("CutRect")] = RectJson(cut->CutRect);
    } else if (auto* circle = dynamic_cast<TKreis*>(&e)) {
        json[QStringLiteral("Centre")] = PointJson(circle->Centre);
        json[QStringLiteral("RimPoint")] = PointJson(circle->RimPoint);
        json[QStringLiteral("Contour")] = PointsJson(circle->Contour().Nodes);
    } else if (auto* label = dynamic_cast<TTextLabel*>(&e)) {
        json[QStringLiteral("Position")] = PointJson(label->Position);
        json[QStringLiteral("TextHeight")] = label->TextHeight;
        json[QStringLiteral("Angle")] = label->Angle;
        json[QStringLiteral("TextString")] = label->TextString();
        json[QStringLiteral("Placeholder")] = label->Placeholder;
        json[QStringLiteral("UpsideDown")] = label->UpsideDown;
        json[QStringLiteral("Font")] = label->Font.Face;
        json[QStringLiteral("Bold")] = label->Font.Bold;
        json[QStringLiteral("Italic")] = label->Font.Italic;
        json[QStringLiteral("Underline")] = label->Font.Underline;
        json[QStringLiteral("StrikeOut")] = label->Font.StrikeOut;
    } else if (auto* group = dynamic_cast<TGruppe*>(&e)) {
        AddGroupFields(json, *group, canvas);
        if (auto* bt = dynamic_cast<TBt*>(&e))
            json[QStringLiteral("Style")] = bt->Style;
        if (auto* code = dynamic_cast<TFarbcode*>(&e)) {
            json[QStringLiteral("Series")] = code->Series;
            json[QStringLiteral("Resistance")] = code->Resistance;
        }
    }
}

} // namespace

QJsonObject ElementToJson(TBauteil& element, Canvas& canvas) {
    QJsonObject json;
    AddBaseFields(json, element);
    AddClassFields(json, element, canvas);
    // Bounds first: a circle's measure text reports the bounds it last gave.
    json[QStringLiteral("bounds")] = RectJson(element.GetBounds(canvas));
    json[QStringLiteral("kindName")] = element.GetKindName();
    json[QStringLiteral("measureText")] = element.GetMeasureText();
    return json;
}

void WriteBoardJson(TPlatine& board, tool::JsonStream& out) {
    const QJsonObject fields{{QStringLiteral("Anmerkungen"), board.Anmerkungen().PlainText()},
                             {QStringLiteral("Nullpunkt"), PointJson(board.Nullpunkt())},
                             {QStringLiteral("PlatinenName"), board.PlatinenName()},
                             {QStringLiteral("PlatinenTyp"), int(board.PlatinenTyp())},
                             {QStringLiteral("Ursprung"), PointJson(board.Ursprung())},
                             {QStringLiteral("height"), board.Height()},
                             {QStringLiteral("width"), board.Width()}};
    out.BeginObject();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        out.Key(it.key());
        out.Value(it.value());
    }
    QImage image(1, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    board.SetzeMassstab(canvas);
    // One element at a time: the JSON of a whole board can be far larger than the board.
    out.Key(QStringLiteral("Bauteile"));
    out.BeginArray();
    for (const auto& element : board.Bauteile())
        out.Value(ElementToJson(*element, canvas));
    out.EndArray();
    out.Key(QStringLiteral("Layout"));
    if (board.Layout())
        WriteBoardJson(*board.Layout(), out);
    else
        out.Value(QJsonValue());
    out.EndObject();
}

} // namespace karvel
