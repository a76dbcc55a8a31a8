#pragma once
// The dialogs elements open to edit themselves: a component's identity, a text label, and the
// diameter of a drilling or pad. The program installs them at start; tests answer through
// their own implementations of the same interfaces.

#include "elements/ComponentDialog.h"
#include "elements/DrillingDialog.h"
#include "elements/TextLabelDialog.h"
#include "platform/Language.h"

class QWidget;

namespace karvel {

class QtComponentDialog : public ComponentDialog {
public:
    QtComponentDialog(QWidget* parent, Language language) : parent_(parent), language_(language) {}
    std::optional<ComponentFields> Ask(const ComponentFields& current) override;

private:
    QWidget* parent_;
    Language language_;
};

class QtTextLabelDialog : public TextLabelDialog {
public:
    QtTextLabelDialog(QWidget* parent, Language language) : parent_(parent), language_(language) {}
    int PixelsPerInch() const override { return 72; }
    std::optional<TextLabelFields> Ask(const TextLabelFields& fields) override;

private:
    QWidget* parent_;
    Language language_;
};

class QtDrillingDialog : public DrillingDialog {
public:
    QtDrillingDialog(QWidget* parent, Language language) : parent_(parent), language_(language) {}
    std::optional<double> Ask(const QString& caption, double diameter) override;

private:
    QWidget* parent_;
    Language language_;
};

// Installs the three dialogs for the elements for as long as it lives.
class ElementDialogScope {
public:
    ElementDialogScope(QWidget* parent, Language language);
    ~ElementDialogScope();
    ElementDialogScope(const ElementDialogScope&) = delete;
    ElementDialogScope& operator=(const ElementDialogScope&) = delete;

private:
    QtComponentDialog component_;
    QtTextLabelDialog label_;
    QtDrillingDialog drilling_;
};

} // namespace karvel
