#pragma once
// The dialogs elements open to edit themselves: a component's identity, a text label, and the
// diameter of a drilling. The program installs them at start; tests answer through their own
// implementations of the same interfaces.

#include "elements/ComponentDialog.h"
#include "elements/DrillingDialog.h"
#include "elements/TextLabelDialog.h"
#include "platform/Language.h"
#include "shell/HelpDialog.h"

class QWidget;

namespace karvel {

// The component dialog: identifier, value or type, description and whether the component is
// in the components list; the edited values on OK, nothing on Cancel.
std::optional<ComponentFields> RunComponentDialog(QWidget* parent, const ComponentFields& current,
                                                  Language language, const HelpRequest& help);

class QtComponentDialog : public ComponentDialog {
public:
    QtComponentDialog(QWidget* parent, Language language, HelpRequest help)
        : parent_(parent), language_(language), help_(std::move(help)) {}
    std::optional<ComponentFields> Ask(const ComponentFields& current) override;

private:
    QWidget* parent_;
    Language language_;
    HelpRequest help_;
};

class QtTextLabelDialog : public TextLabelDialog {
public:
    QtTextLabelDialog(QWidget* parent, Language language, HelpRequest help)
        : parent_(parent), language_(language), help_(std::move(help)) {}
    int PixelsPerInch() const override { return 72; }
    std::optional<TextLabelFields> Ask(const TextLabelFields& fields) override;

private:
    QWidget* parent_;
    Language language_;
    HelpRequest help_;
};

// A drilling's diameter is asked by the size dialog of the drilling tool.
class QtDrillingDialog : public DrillingDialog {
public:
    QtDrillingDialog(QWidget* parent, Language language, HelpRequest help)
        : parent_(parent), language_(language), help_(std::move(help)) {}
    std::optional<double> Ask(const QString& caption, double diameter) override;

private:
    QWidget* parent_;
    Language language_;
    HelpRequest help_;
};

// Installs the three dialogs for the elements for as long as it lives; their Help buttons
// open the manual through help.
class ElementDialogScope {
public:
    ElementDialogScope(QWidget* parent, Language language, const HelpRequest& help);
    ~ElementDialogScope();
    ElementDialogScope(const ElementDialogScope&) = delete;
    ElementDialogScope& operator=(const ElementDialogScope&) = delete;

private:
    QtComponentDialog component_;
    QtTextLabelDialog label_;
    QtDrillingDialog drilling_;
};

} // namespace karvel
