#pragma once
// TBt: a group built by the component assistant from a style and its parameters: an outline
// (styles 0 to 10) or a complete component with leads, body and labels (11 to 14). Only the
// style is stored; a group read back has the default parameters of style 0.

#include "assistant/BtParam.h"
#include "elements/Gruppe.h"

#include <functional>
#include <vector>

namespace karvel {

class HoleGrid;

class TBt : public TGruppe {
public:
    static constexpr int StyleCount = 15;

    explicit TBt(Language language = Language::German);
    ~TBt() override;
    std::string_view ClassName() const override { return "TBt"; }

    std::uint8_t Style = 0;
    QPoint Centre{15000, 15000};
    std::vector<TBtParam> Params;
    // Places the outer lead ends of components on holes; without it the plain pitch does.
    const HoleGrid* Board = nullptr;
    // Told as the last step of building a resistor.
    std::function<void(TBt&)> OnResistorBuilt;

    Language Sprache() const { return language_; }
    // A new style starts with its default parameters; the same style keeps the edited ones.
    void SetStyle(std::uint8_t style);
    void BuildParams();
    void ClearParams() { Params.clear(); }
    // Replaces every member by what the style builds from the parameters.
    void Generate();
    // The hole a board point lies in, as Board sees it.
    QPoint HoleIndexOf(QPoint board) const;

    // The values of parameter i; 0 or empty for a record that does not exist.
    std::int32_t ParamInt(int i) const;
    long double ParamFloat(int i) const;
    QString ParamText(int i) const;
    const TBtParam* Param(int i) const;
    static bool CorrectValue(TBtParam& param) { return karvel::CorrectValue(param); }

    void MoveBy(int dx, int dy) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    // A resistor also brings its colour bands in line with its value, and its value into the
    // form the bands show.
    void PropagateIdentity() override;

private:
    void ClearMembers();
    void BuildContour();
    void UpdateResistorBands();

    Language language_;
    // The style the parameters were built for: a group read from a stream has those of style 0
    // whatever its stored style is.
    std::uint8_t paramsStyle_ = 0;
};

} // namespace karvel
