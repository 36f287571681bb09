#include "shell/key_translation.h"

namespace {

std::optional<EditorKey> keypadKey(int key) {
    switch (key) {
    case Qt::Key_9:
        return EditorKey::Keypad9;
    case Qt::Key_3:
        return EditorKey::Keypad3;
    case Qt::Key_2:
        return EditorKey::Keypad2;
    case Qt::Key_4:
        return EditorKey::Keypad4;
    case Qt::Key_6:
        return EditorKey::Keypad6;
    case Qt::Key_8:
        return EditorKey::Keypad8;
    case Qt::Key_Plus:
        return EditorKey::KeypadPlus;
    case Qt::Key_Minus:
        return EditorKey::KeypadMinus;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<EditorKey> shell_TranslateKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::AltModifier) return std::nullopt;
    if (modifiers & Qt::ControlModifier) {
        // Control with F, O, S, Z or Y: Find, the file keys (Shift with S: Save As) and undo/redo
        // (Shift with Z: redo).
        const bool shift = (modifiers & Qt::ShiftModifier) != 0;
        if (key == Qt::Key_F) return EditorKey::ControlF;
        if (key == Qt::Key_O && !shift) return EditorKey::ControlO;
        if (key == Qt::Key_S) return shift ? EditorKey::ControlShiftS : EditorKey::ControlS;
        if (key == Qt::Key_Z) return shift ? EditorKey::ControlShiftZ : EditorKey::ControlZ;
        if (key == Qt::Key_Y && !shift) return EditorKey::ControlY;
    }
    if (modifiers & Qt::KeypadModifier) {
        if (const std::optional<EditorKey> pad = keypadKey(key)) return pad;
    }
    switch (key) {
    case Qt::Key_PageUp:
        return EditorKey::PageUp;
    case Qt::Key_PageDown:
        return EditorKey::PageDown;
    case Qt::Key_Space:
        return EditorKey::Space;
    case Qt::Key_Left:
        return EditorKey::Left;
    case Qt::Key_Right:
        return EditorKey::Right;
    case Qt::Key_Up:
        return EditorKey::Up;
    case Qt::Key_Down:
        return EditorKey::Down;
    case Qt::Key_Insert:
        return EditorKey::Insert;
    case Qt::Key_Delete:
        return EditorKey::Delete;
    case Qt::Key_U:
        return EditorKey::U;
    case Qt::Key_R:
        return EditorKey::R;
    case Qt::Key_Escape:
        return EditorKey::Escape;
    case Qt::Key_F1:
        return EditorKey::F1;
    case Qt::Key_F2:
        return EditorKey::F2;
    case Qt::Key_F3:
        return EditorKey::F3;
    case Qt::Key_F4:
        return EditorKey::F4;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<EditorKey> shell_TranslateKey(const QKeyEvent& event) {
    return shell_TranslateKey(event.key(), event.modifiers());
}

QKeySequence shell_KeySequence(EditorKey key) {
    const auto pad = [](Qt::Key qtKey) { return QKeySequence(QKeyCombination(Qt::KeypadModifier, qtKey)); };
    switch (key) {
    case EditorKey::PageUp:
        return QKeySequence(Qt::Key_PageUp);
    case EditorKey::Keypad9:
        return pad(Qt::Key_9);
    case EditorKey::KeypadPlus:
        return pad(Qt::Key_Plus);
    case EditorKey::PageDown:
        return QKeySequence(Qt::Key_PageDown);
    case EditorKey::Keypad3:
        return pad(Qt::Key_3);
    case EditorKey::KeypadMinus:
        return pad(Qt::Key_Minus);
    case EditorKey::Space:
        return QKeySequence(Qt::Key_Space);
    case EditorKey::Left:
        return QKeySequence(Qt::Key_Left);
    case EditorKey::Right:
        return QKeySequence(Qt::Key_Right);
    case EditorKey::Up:
        return QKeySequence(Qt::Key_Up);
    case EditorKey::Down:
        return QKeySequence(Qt::Key_Down);
    case EditorKey::Insert:
        return QKeySequence(Qt::Key_Insert);
    case EditorKey::Delete:
        return QKeySequence(Qt::Key_Delete);
    case EditorKey::U:
        return QKeySequence(Qt::Key_U);
    case EditorKey::F1:
        return QKeySequence(Qt::Key_F1);
    case EditorKey::F2:
        return QKeySequence(Qt::Key_F2);
    case EditorKey::F3:
        return QKeySequence(Qt::Key_F3);
    case EditorKey::F4:
        return QKeySequence(Qt::Key_F4);
    case EditorKey::Keypad2:
        return pad(Qt::Key_2);
    case EditorKey::Keypad4:
        return pad(Qt::Key_4);
    case EditorKey::Keypad6:
        return pad(Qt::Key_6);
    case EditorKey::Keypad8:
        return pad(Qt::Key_8);
    case EditorKey::R:
        return QKeySequence(Qt::Key_R);
    case EditorKey::Escape:
        return QKeySequence(Qt::Key_Escape);
    case EditorKey::ControlF:
        return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_F));
    case EditorKey::ControlZ:
        return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    case EditorKey::ControlY:
        return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_Y));
    case EditorKey::ControlShiftZ:
        return QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z));
    case EditorKey::ControlO:
        return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
    case EditorKey::ControlS:
        return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_S));
    case EditorKey::ControlShiftS:
        return QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S));
    }
    return QKeySequence();
}
