#pragma once
// TBt: a group built by the component assistant from a style and its parameters. Only the
// style is stored; a group read back has the default parameters of style 0.

#include "elements/Gruppe.h"

namespace karvel {

class TBt : public TGruppe {
public:
    static constexpr int StyleCount = 15;

    explicit TBt(Language language = Language::German);
    std::string_view ClassName() const override { return "TBt"; }

    std::uint8_t Style = 0;
    QPoint Centre{15000, 15000};

    void MoveBy(int dx, int dy) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
};

} // namespace karvel
