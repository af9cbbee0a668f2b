// SPDX-License-Identifier: MIT
#include "accessiblelineedit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QRect>
#include <QVariant>

namespace pemdra::qt {

AccessibleLineEdit::AccessibleLineEdit(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* AccessibleLineEdit::lineEdit() const { return static_cast<QLineEdit*>(widget()); }

void* AccessibleLineEdit::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(type);
}

QString AccessibleLineEdit::text(QAccessible::Text kind) const {
  if (kind == QAccessible::Value && !lineEdit()->text().isEmpty()) return lineEdit()->text();
  return QAccessibleWidget::text(kind);
}

void AccessibleLineEdit::setText(QAccessible::Text kind, const QString& text) {
  if (kind == QAccessible::Value) {
    lineEdit()->setText(text);
  } else {
    QAccessibleWidget::setText(kind, text);
  }
}

QAccessible::State AccessibleLineEdit::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.readOnly = lineEdit()->isReadOnly();
  state.editable = !lineEdit()->isReadOnly();
  state.selectableText = true;
  return state;
}

void AccessibleLineEdit::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = 0;
  if (selectionIndex != 0 || !lineEdit()->hasSelectedText()) return;
  *startOffset = lineEdit()->selectionStart();
  *endOffset = *startOffset + lineEdit()->selectionLength();
}

int AccessibleLineEdit::selectionCount() const { return lineEdit()->hasSelectedText() ? 1 : 0; }

void AccessibleLineEdit::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void AccessibleLineEdit::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) lineEdit()->deselect();
}

void AccessibleLineEdit::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) lineEdit()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::cursorPosition() const { return lineEdit()->cursorPosition(); }

void AccessibleLineEdit::setCursorPosition(int position) {
  lineEdit()->setCursorPosition(position);
}

QString AccessibleLineEdit::text(int startOffset, int endOffset) const {
  if (startOffset > endOffset) return {};
  return lineEdit()->text().mid(startOffset, endOffset - startOffset);
}

// Offset -2 is the caret, as AT-SPI asks for it.
QString AccessibleLineEdit::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
  if (offset == -2) offset = cursorPosition();
  return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString AccessibleLineEdit::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
  if (offset == -2) offset = cursorPosition();
  return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString AccessibleLineEdit::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
  if (offset == -2) offset = cursorPosition();
  return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
}

int AccessibleLineEdit::characterCount() const {
  return static_cast<int>(lineEdit()->text().size());
}

QRect AccessibleLineEdit::characterRect(int offset) const {
  const QString character = text(offset, offset + 1);
  if (character.isEmpty()) return {};
  // The caret's rectangle is where the box shows its text, alignment and scrolling
  // included; a character lies as far from it as the text between them is wide.
  const QLineEdit* edit = lineEdit();
  const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QFontMetrics metrics(edit->font());
  const QString all = edit->text();
  const int x = caret.left() + metrics.horizontalAdvance(all.left(offset)) -
                metrics.horizontalAdvance(all.left(edit->cursorPosition()));
  return {edit->mapToGlobal(QPoint(x, caret.top())),
          QSize(metrics.horizontalAdvance(character), caret.height())};
}

int AccessibleLineEdit::offsetAtPoint(const QPoint& point) const {
  return lineEdit()->cursorPositionAt(lineEdit()->mapFromGlobal(point));
}

void AccessibleLineEdit::scrollToSubstring(int startIndex, int endIndex) {
  lineEdit()->setCursorPosition(endIndex);
  lineEdit()->setCursorPosition(startIndex);
}

QString AccessibleLineEdit::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
  // A line edit's text has no attributes: it is one run, from start to end.
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

void AccessibleLineEdit::deleteText(int startOffset, int endOffset) {
  lineEdit()->setText(lineEdit()->text().remove(startOffset, endOffset - startOffset));
}

void AccessibleLineEdit::insertText(int offset, const QString& text) {
  lineEdit()->setText(lineEdit()->text().insert(offset, text));
}

void AccessibleLineEdit::replaceText(int startOffset, int endOffset, const QString& text) {
  lineEdit()->setText(lineEdit()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace pemdra::qt
