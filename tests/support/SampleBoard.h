#pragma once
// A board holding one element of every class, each with fields away from their defaults, so
// that a lost or swapped field shows in a round trip.

#include "assistant/Bt.h"
#include "assistant/Farbcode.h"
#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/DrahtFest.h"
#include "elements/Kreis.h"
#include "elements/Leiterbahn.h"
#include "elements/TrennerFest.h"
#include "elements/Txtlabel.h"

#include <memory>

namespace karvel::test {

inline std::unique_ptr<TDraht> MakeWire(TBauteilTyp kind, std::vector<QPoint> nodes) {
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = kind;
    wire->Nodes = std::move(nodes);
    wire->Anchors.assign(std::size_t(wire->GetContactCount()), QPoint(-1, -1));
    return wire;
}

inline std::unique_ptr<TGruppe> MakeResistor(Language language = Language::German) {
    auto group = std::make_unique<TGruppe>(language);
    group->IsComponent = true;
    group->Identifier = QStringLiteral("R#");
    group->Value = QStringLiteral("4k7");
    group->Description = QStringLiteral("Kohleschicht ¼ W");
    group->Number = 3;
    auto left = MakeWire(TBauteilTyp::btAnschluss, {{1016, 1397}, {1270, 1397}});
    auto right = MakeWire(TBauteilTyp::btAnschluss, {{2032, 1397}, {1778, 1397}});
    left->InGroup = right->InGroup = true;
    left->Anchors = {{4, 5}};
    right->Anchors = {{8, 5}};
    left->RememberShape();
    right->RememberShape();
    auto body =
        MakeWire(TBauteilTyp::btRect, {{1270, 1300}, {1778, 1300}, {1778, 1494}, {1270, 1494}});
    body->InGroup = true;
    auto label = std::make_unique<TTextLabel>(language);
    label->Placeholder = std::uint8_t(TPlaceholder::Identifier);
    label->Position = {1270, 1100};
    label->InGroup = true;
    group->AddMember(std::move(left));
    group->AddMember(std::move(right));
    group->AddMember(std::move(body));
    group->AddMember(std::move(label));
    group->PropagateIdentity();
    return group;
}

// Every element class once; the layout gets a strip, a pad and a drilling.
inline void FillSampleBoard(TPlatine& board) {
    board.SetPlatinenName(QStringLiteral("Blinker mit 555 — Prüfaufbau"));
    board.SetSize(8128, 5080);
    board.SetNullpunkt({254, 127});
    board.SetUrsprung({508, 381});
    board.SetReservedPoint({7, 9});
    board.Anmerkungen().SetPlainText(QStringLiteral("Anmerkungen: LED an Pin 3\nZweite Zeile"));

    auto wire = MakeWire(TBauteilTyp::btDraht, {{508, 381}, {508, 889}, {1524, 889}});
    wire->Anchors = {{2, 1}, {6, 3}};
    wire->SetStiftfarbe(RgbColour(200, 30, 40));
    wire->SetIstAufLoetseite(true);
    board.Add(std::move(wire));

    auto line = MakeWire(TBauteilTyp::btLine, {{100, 100}, {900, 150}, {1200, 600}});
    line->SetGlaetten(true);
    line->SetGlaettenStil(TGlaettenStil::glFase);
    line->SetGlaettenBetrag(75.5);
    line->SetFraesen(true);
    line->SetStiftbreite(-3);
    board.Add(std::move(line));

    auto polygon = MakeWire(TBauteilTyp::btPolygon, {{2000, 2000}, {2600, 2100}, {2300, 2700}});
    polygon->SetFuellenFlag(true);
    polygon->SetBrushfarbe(RgbColour(10, 200, 90));
    TDraht* polygonPtr = polygon.get();
    board.Add(std::move(polygon));
    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.fill(qRgb(250, 10, 20));
    bitmap.setPixel(1, 1, qRgb(1, 2, 3));
    polygonPtr->RememberShape();
    polygonPtr->AdoptFillBitmap(bitmap);

    board.Add(MakeWire(TBauteilTyp::btPin, {{3048, 3175}, {3048, 3175}}));

    auto track = std::make_unique<TLeiterbahn>();
    track->Nodes = {{254, 2667}, {2540, 2667}};
    track->RebuildOutline();
    board.Add(std::move(track));

    auto fixedWire = std::make_unique<TDrahtFest>();
    fixedWire->Nodes = {{0, 127}, {254, 127}};
    board.Add(std::move(fixedWire));

    auto pad = std::make_unique<TAuge>();
    pad->Centre = {3302, 1651};
    pad->Diameter = 2.5;
    board.Add(std::move(pad));

    auto drilling = std::make_unique<TBohrung>();
    drilling->Centre = {3556, 1651};
    drilling->Diameter = 3.2;
    board.Add(std::move(drilling));

    auto cut = std::make_unique<TTrenner>();
    cut->CutRect = {1200, 2540, 1340, 2794};
    board.Add(std::move(cut));

    auto circle = std::make_unique<TKreis>();
    circle->Centre = {5080, 2540};
    circle->RimPoint = {5334, 2540};
    circle->BuildCircle();
    board.Add(std::move(circle));

    auto label = std::make_unique<TTextLabel>();
    label->SetTextString(QStringLiteral("Ø 5 mm – Maß"));
    label->Position = {400, 4500};
    label->Angle = 0.5;
    label->TextHeight = 300;
    label->Font.Bold = true;
    label->Font.Face = QStringLiteral("Liberation Serif");
    board.Add(std::move(label));

    board.Add(MakeResistor());

    auto bt = std::make_unique<TBt>();
    bt->Style = 12;
    bt->IsComponent = true;
    bt->Identifier = QStringLiteral("C#");
    bt->Number = 2;
    bt->AddMember(MakeWire(TBauteilTyp::btLine, {{6000, 600}, {6400, 600}}));
    board.Add(std::move(bt));

    auto code = std::make_unique<TFarbcode>();
    code->AddMember(MakeWire(TBauteilTyp::btLine, {{6000, 900}, {6000, 1000}}));
    // A series value, with its band coloured: reading rebuilds the bands from the value.
    code->SetSeries(4);
    code->SetResistance(4750.0);
    board.Add(std::move(code));

    TBoard& layout = *board.Layout();
    layout.SetSize(8128, 5080);
    auto strip = std::make_unique<TLeiterbahn>();
    strip->Nodes = {{0, 127}, {8128, 127}};
    strip->RebuildOutline();
    layout.Add(std::move(strip));
    auto layoutPad = std::make_unique<TAuge>();
    layoutPad->Centre = {254, 381};
    layout.Add(std::move(layoutPad));
    auto layoutDrilling = std::make_unique<TBohrung>();
    layoutDrilling->Centre = {254, 381};
    layoutDrilling->Diameter = 1.0;
    layout.Add(std::move(layoutDrilling));
}

} // namespace karvel::test
