#pragma once

#include <QWidget>
#include <memory>

// A design-time form as a widget of its own: the generated Ui class, set up
// on it and owned by it. For forms that need no code beyond the design (a
// button column, say):
//
//   TButtonColumn(buttonPanel, new TDesignForm<Ui::TfrmFooBut>)
template <class UiForm>
class TDesignForm : public QWidget {
 public:
  explicit TDesignForm(QWidget* parent = nullptr) : QWidget(parent), ui(std::make_unique<UiForm>()) {
    ui->setupUi(this);
  }
  const std::unique_ptr<UiForm> ui;
};
