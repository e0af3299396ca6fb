#include "dictionary/unit.h"

#include <new>
#include <vector>

#include "platform/msgbox.h"

namespace {

const char kDefaultUnitFailure[] = "Add default unit failure \n";
const char kDec[] = "DEC";
constexpr int kShortDefinition = 3;  // shorter definitions define no units
constexpr int kMaxCells = 255;       // the count is a byte

bool IsFormulaChar(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F'))
        return true;
    return QStringView(u".N*/+-[]sqrt()").contains(c);
}

}  // namespace

int ParseUnitDefinition(const QString& definition, QList<CCellUnit>& cells) {
    cells.clear();
    if (definition.size() < kShortDefinition)
        return 0;
    const QStringView text(definition);
    qsizetype pos = 0;  // start of the rest
    while (pos < text.size() && cells.size() < kMaxCells) {
        const qsizetype open = text.indexOf('[', pos);
        const qsizetype close = text.indexOf(']', pos);
        if (open < 0 || close < 0)
            break;
        const QStringView item =
            close > open ? text.mid(open + 1, close - open - 1) : QStringView();
        const qsizetype space = item.indexOf(' ');
        CCellUnit cell;
        cell.unitName = (space < 0 ? item : item.left(space)).toString();
        cell.displayName = space < 0 ? QString() : item.mid(space + 1).toString();
        pos = close + 1;
        qsizetype end = pos;
        while (end < text.size() && IsFormulaChar(text[end])) ++end;
        cell.formula = text.mid(pos, end - pos).toString();
        cells.append(cell);
        pos = end < text.size() ? end + 1 : end;  // skip the separator
    }
    return static_cast<int>(cells.size());
}

struct CUnit::Impl {
    struct Entry {
        CSdoUnit unit;
        bool undefined = false;  // the definition was too short to define units
    };
    std::vector<Entry> table;  // in order of creation

    Entry* Find(std::int32_t key) {
        for (Entry& e : table)
            if (e.unit.key == key)
                return &e;
        return nullptr;
    }

    // A copy of the entry (sharing its cell list); 0 without one.
    static int CopyOut(const Entry* e, CSdoUnit& entry) {
        if (!e)
            return 0;
        entry = e->unit;
        return 1;
    }

    // The object's entry, created from `definition` when it has none yet; null when no entry
    // could be made.
    const Entry* FindOrAdd(std::int32_t key, const QString& definition) {
        const Entry* e = Find(key);
        return e ? e : Add(key, definition);
    }

    Entry* Add(std::int32_t key, const QString& definition) {
        Entry e;
        e.unit.key = key;
        e.unit.cellCount = static_cast<std::uint8_t>(ParseUnitDefinition(definition, e.unit.cells));
        e.undefined = definition.size() < kShortDefinition;
        try {
            table.push_back(std::move(e));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        return &table.back();
    }
};

CUnit::CUnit() : impl_(std::make_unique<Impl>()) {}
CUnit::~CUnit() = default;

int CUnit::FindUnit(std::int32_t key, CSdoUnit& entry) const {
    return Impl::CopyOut(impl_->Find(key), entry);
}

int CUnit::FindOrAddUnit(std::int32_t key, const QString& definition, CSdoUnit& entry) {
    return Impl::CopyOut(impl_->FindOrAdd(key, definition), entry);
}

int CUnit::DefaultUnitText(std::int32_t key, const QString& definition, QString& text) {
    const Impl::Entry* e = impl_->FindOrAdd(key, definition);
    if (!e)
        return 0;
    if (e->unit.cellCount > 0) {
        text = e->unit.cells.first().ShownText();
    } else if (e->undefined) {
        text = QString::fromLatin1(kDec);
    } else {
        platform::MessageBox(kDefaultUnitFailure);  // a definition without any item
    }
    return 1;
}
