#include "output/OutputView.h"

namespace karvel {

PrintChoices PrintChoices::FromView(const ViewState& view, bool outline, PrintChoices choices) {
    choices.SolderSide = view.Loetseite;
    choices.SeeThrough = view.Durchsicht;
    choices.XRay = view.Roentgen;
    choices.Outline = outline;
    return choices;
}

OutputOptions PrintChoices::Options() const {
    return {Components, Layout, GridNumbering, TitleBlock, Title.left(255)};
}

PagePlacement PrintChoices::Placement(double scale, QPoint offset) const {
    return {scale, offset, Mirror, SolderSide};
}

OutputViewScope::OutputViewScope(TPlatine& board, const ViewState& programView,
                                 const PrintChoices& choices)
    : board_(board), view_(programView), umriss_(board.UmrissModus()), spiegeln_(board.Spiegeln()),
      output_(board.Output) {
    view_.Loetseite = choices.SolderSide;
    view_.Durchsicht = choices.SeeThrough;
    view_.Roentgen = choices.XRay;
    board_.SetDrawingView(&view_);
    board_.SetUmrissFlags(choices.Outline);
    board_.SetSpiegeln(choices.Mirror);
    board_.Output = choices.Options();
}

OutputViewScope::~OutputViewScope() {
    board_.Output = output_;
    board_.SetSpiegeln(spiegeln_);
    board_.SetUmrissFlags(umriss_);
    board_.SetDrawingView(nullptr);
}

} // namespace karvel
