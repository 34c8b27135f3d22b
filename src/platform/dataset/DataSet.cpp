#include "platform/dataset/DataSet.h"

#include <algorithm>

namespace {

const QVariant &nullValue()
{
    static const QVariant v;
    return v;
}

bool isNullStored(const QVariant &v)
{
    return !v.isValid() || v.metaType().id() == QMetaType::Nullptr;
}

// Equality of two stored values of one field type (Locate). A null text
// equals ''. Reads the stored values in place, without conversions.
bool storedEqual(const QVariant &a, const QVariant &b, FieldType type)
{
    const int ta = a.metaType().id();
    const int tb = b.metaType().id();
    if (type == FieldType::String) {
        static const QString empty;
        const QString &sa = ta == QMetaType::QString ? *static_cast<const QString *>(a.constData()) : empty;
        const QString &sb = tb == QMetaType::QString ? *static_cast<const QString *>(b.constData()) : empty;
        return sa == sb;
    }
    const bool na = isNullStored(a), nb = isNullStored(b);
    if (na || nb)
        return na && nb;
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
        if (ta == QMetaType::Int && tb == QMetaType::Int)
            return *static_cast<const int *>(a.constData()) == *static_cast<const int *>(b.constData());
        return a.toInt() == b.toInt();
    case FieldType::Float: return a.toDouble() == b.toDouble();
    case FieldType::Currency: return a.value<Currency>() == b.value<Currency>();
    case FieldType::Boolean: return a.toBool() == b.toBool();
    case FieldType::DateTime: return a.toDateTime() == b.toDateTime();
    default: return false;
    }
}

} // namespace

DataSet::DataSet(QObject *parent) : QObject(parent) {}

DataSet::~DataSet() = default;

void DataSet::fail(const QString &message) const
{
    if (objectName().isEmpty())
        throw DataSetError(message);
    throw DataSetError(objectName() + QStringLiteral(": ") + message);
}

void DataSet::checkActive() const
{
    if (!m_active)
        fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void DataSet::checkEditing() const
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        fail(QStringLiteral("Dataset not in edit or insert mode"));
}

// ---- fields -----------------------------------------------------------------

Field &DataSet::AddField(const QString &name, FieldType type, int size)
{
    if (name.trimmed().isEmpty())
        fail(QStringLiteral("A field needs a name"));
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        fail(QStringLiteral("Cannot add a field while a record is edited"));
    const QString key = name.toCaseFolded();
    if (m_fieldByName.contains(key))
        fail(QStringLiteral("Duplicate field name '%1'").arg(name));
    m_dynamicFields = false;
    const int index = int(m_fields.size());
    m_fields.push_back(std::unique_ptr<Field>(new Field(this, FieldDef{name, type, size}, index)));
    m_fieldByName.insert(key, index);
    m_fieldByExactName.insert(name, index);
    for (Record &r : m_rows)
        r.values.append(QVariant());
    m_filterBound = false;
    if (m_active)
        emitView(&DataSet::dataSetChanged);
    return *m_fields.back();
}

void DataSet::AddFields(const QList<FieldDef> &defs)
{
    for (const FieldDef &d : defs)
        AddField(d.name, d.type, d.size);
}

void DataSet::ClearFields()
{
    if (m_active)
        fail(QStringLiteral("Cannot perform this operation on an open dataset"));
    m_fields.clear();
    m_fieldByName.clear();
    m_fieldByExactName.clear();
    m_rows.clear();
    m_view.clear();
    m_idIndex.clear();
    m_idIndexDirty = false;
    m_filterBound = false;
    m_dynamicFields = false;
}

QList<FieldDef> DataSet::FieldDefs() const
{
    QList<FieldDef> defs;
    defs.reserve(qsizetype(m_fields.size()));
    for (const auto &f : m_fields)
        defs.append(f->def());
    return defs;
}

int DataSet::fieldIndex(const QString &name) const
{
    // Most code spells a name as it was defined: try that before folding case.
    const auto exact = m_fieldByExactName.constFind(name);
    if (exact != m_fieldByExactName.constEnd())
        return *exact;
    return m_fieldByName.value(name.toCaseFolded(), -1);
}

Field *DataSet::FindField(const QString &name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : m_fields[size_t(i)].get();
}

Field &DataSet::FieldByName(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        fail(QStringLiteral("Field '%1' not found").arg(name));
    return *m_fields[size_t(i)];
}

void DataSet::LoadRows(const QList<FieldDef> &defs, QList<QList<QVariant>> &&rows)
{
    // The field list the rows will have.
    const bool defineFromColumns = m_fields.empty() || m_dynamicFields;
    QList<FieldDef> target;
    QList<int> map; // column -> field index, -1 dropped
    if (defineFromColumns) {
        QHash<QString, int> seen;
        for (const FieldDef &d : defs) {
            const QString key = d.name.toCaseFolded();
            if (d.name.trimmed().isEmpty() || seen.contains(key))
                fail(QStringLiteral("Duplicate or empty column name '%1'").arg(d.name));
            seen.insert(key, int(target.size()));
            map.append(int(target.size()));
            target.append(d);
        }
    } else {
        target = FieldDefs();
        for (const FieldDef &d : defs)
            map.append(fieldIndex(d.name));
    }
    const int n = int(target.size());
    bool identity = defs.size() == n;
    for (int c = 0; identity && c < map.size(); ++c)
        identity = map[c] == c;

    // Convert into a new table first: a failure leaves the data set as it was.
    std::vector<Record> table;
    table.reserve(size_t(rows.size()));
    quint64 nextId = m_nextId;
    for (QList<QVariant> &row : rows) {
        Record r;
        if (identity) {
            r.values = std::move(row);
            r.values.resize(n);
            for (int f = 0; f < n; ++f)
                r.values[f] = Field::convert(r.values[f], target[f]);
        } else {
            r.values.resize(n);
            const int cols = int(std::min(row.size(), map.size()));
            for (int c = 0; c < cols; ++c) {
                const int f = map[c];
                if (f >= 0)
                    r.values[f] = Field::convert(row[c], target[f]);
            }
        }
        r.id = nextId++;
        table.push_back(std::move(r));
    }
    rows.clear();

    // Commit.
    m_buffer.clear();
    m_modified = false;
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        setState(DataSetState::Browse);
    if (defineFromColumns) {
        // Keep the Field objects of names that stay, so references survive a reload.
        std::vector<std::unique_ptr<Field>> old = std::move(m_fields);
        m_fields.clear();
        m_fieldByName.clear();
        m_fieldByExactName.clear();
        for (int f = 0; f < n; ++f) {
            std::unique_ptr<Field> field;
            for (auto &o : old) {
                if (o && o->m_def.name.compare(target[f].name, Qt::CaseInsensitive) == 0) {
                    field = std::move(o);
                    break;
                }
            }
            if (field) {
                field->m_def = target[f];
                field->m_index = f;
            } else {
                field.reset(new Field(this, target[f], f));
            }
            m_fieldByName.insert(target[f].name.toCaseFolded(), f);
            m_fieldByExactName.insert(target[f].name, f);
            m_fields.push_back(std::move(field));
        }
        m_dynamicFields = true;
    }
    m_rows = std::move(table);
    m_nextId = nextId;
    m_idIndex.clear();
    m_idIndexDirty = true;
    m_filterBound = false;
    if (!m_active) {
        m_view.clear();
        return;
    }
    try {
        rebuildView();
    } catch (...) {
        // The filter no longer binds to these fields: show every row.
        m_view.resize(m_rows.size());
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_view[i] = int(i);
        setCursor(m_view.empty() ? -1 : 0, true, m_view.empty());
        emitView(&DataSet::dataSetChanged);
        throw;
    }
    setCursor(m_view.empty() ? -1 : 0, true, m_view.empty());
    emitView(&DataSet::dataSetChanged);
    scrolled();
}

// ---- open / close -----------------------------------------------------------

void DataSet::Open()
{
    if (m_active)
        return;
    InternalOpen();
    m_active = true;
    try {
        rebuildView();
    } catch (...) {
        m_active = false;
        m_view.clear();
        throw;
    }
    setCursor(m_view.empty() ? -1 : 0, true, m_view.empty());
    m_state = DataSetState::Browse;
    emitView(&DataSet::opened);
    emit stateChanged(m_state);
    if (AfterOpen)
        AfterOpen(*this);
    scrolled();
}

void DataSet::Close()
{
    if (!m_active)
        return;
    if (m_state == DataSetState::Insert) {
        const int t = m_view[size_t(m_cur)];
        m_rows.erase(m_rows.begin() + t);
        m_idIndexDirty = true;
    }
    m_buffer.clear();
    m_modified = false;
    m_active = false;
    m_state = DataSetState::Inactive;
    m_view.clear();
    setCursor(-1, true, true);
    InternalClose(); // closed already: it may drop rows or fields quietly
    emitView(&DataSet::closed);
    emit stateChanged(m_state);
}

// ---- cursor -----------------------------------------------------------------

void DataSet::setCursor(int viewPos, bool bof, bool eof)
{
    m_cur = viewPos;
    m_bof = bof;
    m_eof = eof;
}

void DataSet::scrolled()
{
    emitView(&DataSet::currentChanged, m_cur);
    if (AfterScroll)
        AfterScroll(*this);
}

void DataSet::First()
{
    checkActive();
    CheckBrowseMode();
    setCursor(m_view.empty() ? -1 : 0, true, m_view.empty());
    scrolled();
}

void DataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    setCursor(int(m_view.size()) - 1, m_view.empty(), true);
    scrolled();
}

void DataSet::Next()
{
    MoveBy(1);
}

void DataSet::Prior()
{
    MoveBy(-1);
}

int DataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    const int size = int(m_view.size());
    if (size == 0) {
        setCursor(-1, true, true);
        return 0;
    }
    if (distance == 0)
        return 0;
    const qint64 wanted = qint64(m_cur) + distance;
    const int target = int(std::clamp<qint64>(wanted, 0, size - 1));
    const int moved = target - m_cur;
    setCursor(target, wanted < 0, wanted > size - 1);
    if (moved != 0)
        scrolled();
    return moved;
}

int DataSet::RecNo() const
{
    if (!m_active)
        return 0;
    if (m_peekRow)
        return *m_peekRow >= 0 && *m_peekRow < int(m_view.size()) ? *m_peekRow + 1 : 0;
    return m_cur + 1;
}

void DataSet::setRecNo(int recNo)
{
    checkActive();
    CheckBrowseMode();
    if (m_view.empty())
        return;
    const int target = std::clamp(recNo, 1, int(m_view.size())) - 1;
    if (target == m_cur)
        return;
    setCursor(target, false, false);
    scrolled();
}

int DataSet::RecordCount() const
{
    if (!m_active)
        return 0;
    return int(m_view.size()) - (m_state == DataSetState::Insert ? 1 : 0);
}

QList<int> DataSet::locateFields(const QString &keyFields) const
{
    QList<int> out;
    for (const QString &part : keyFields.split(u';')) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        out.append(FieldByName(name).Index());
    }
    if (out.isEmpty())
        fail(QStringLiteral("Locate needs at least one field"));
    return out;
}

bool DataSet::Locate(const QString &keyFields, const QVariant &keyValues)
{
    if (keyValues.metaType() == QMetaType::fromType<QVariantList>())
        return Locate(keyFields, keyValues.toList());
    return Locate(keyFields, QVariantList{keyValues});
}

bool DataSet::Locate(const QString &keyFields, const QVariantList &keyValues)
{
    checkActive();
    CheckBrowseMode();
    const QList<int> fields = locateFields(keyFields);
    if (fields.size() != keyValues.size())
        fail(QStringLiteral("Locate: %1 fields but %2 values").arg(fields.size()).arg(keyValues.size()));
    QList<QVariant> keys;
    QList<FieldType> types;
    for (int k = 0; k < fields.size(); ++k) {
        // A text key is compared whole: cut to the field's size, a longer key
        // would find the record that holds only its beginning.
        FieldDef def = m_fields[size_t(fields[k])]->def();
        def.size = 0;
        keys.append(Field::convert(keyValues[k], def));
        types.append(def.type);
    }
    for (size_t pos = 0; pos < m_view.size(); ++pos) {
        const QList<QVariant> &values = m_rows[size_t(m_view[pos])].values;
        bool all = true;
        for (int k = 0; all && k < fields.size(); ++k)
            all = storedEqual(values[fields[k]], keys[k], types[k]);
        if (all) {
            setCursor(int(pos), false, false);
            scrolled();
            return true;
        }
    }
    return false;
}

// ---- bookmarks --------------------------------------------------------------

int DataSet::tableIndexOf(quint64 id) const
{
    if (id == 0)
        return -1;
    if (m_idIndexDirty) {
        m_idIndex.clear();
        m_idIndex.reserve(m_rows.size());
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_idIndex.emplace(m_rows[i].id, int(i));
        m_idIndexDirty = false;
    }
    auto it = m_idIndex.find(id);
    return it == m_idIndex.end() ? -1 : it->second;
}

int DataSet::viewPosOfTable(int tableIndex) const
{
    auto it = std::lower_bound(m_view.begin(), m_view.end(), tableIndex);
    if (it == m_view.end() || *it != tableIndex)
        return -1;
    return int(it - m_view.begin());
}

Bookmark DataSet::GetBookmark() const
{
    if (!m_active || m_cur < 0)
        return {};
    return Bookmark(m_rows[size_t(m_view[size_t(m_cur)])].id);
}

Bookmark DataSet::bookmarkAt(int row) const
{
    if (!m_active || row < 0 || row >= int(m_view.size()))
        return {};
    return Bookmark(m_rows[size_t(m_view[size_t(row)])].id);
}

bool DataSet::BookmarkValid(const Bookmark &bookmark) const
{
    if (!m_active || bookmark.isNull())
        return false;
    const int t = tableIndexOf(bookmark.id());
    return t >= 0 && viewPosOfTable(t) >= 0;
}

void DataSet::GotoBookmark(const Bookmark &bookmark)
{
    checkActive();
    CheckBrowseMode();
    const int t = tableIndexOf(bookmark.id());
    const int pos = t < 0 ? -1 : viewPosOfTable(t);
    if (pos < 0)
        fail(QStringLiteral("Record not found"));
    setCursor(pos, false, false);
    scrolled();
}

int DataSet::CompareBookmarks(const Bookmark &a, const Bookmark &b) const
{
    const int ta = tableIndexOf(a.id());
    const int tb = tableIndexOf(b.id());
    return ta < tb ? -1 : ta > tb ? 1 : 0;
}

// ---- editing ----------------------------------------------------------------

void DataSet::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void DataSet::insertRecord(int tableIndex, int viewPos)
{
    Record r;
    r.values.resize(qsizetype(m_fields.size()));
    r.id = m_nextId++;
    const bool atEnd = tableIndex == int(m_rows.size());
    m_rows.insert(m_rows.begin() + tableIndex, std::move(r));
    if (!atEnd) {
        for (int &t : m_view)
            if (t >= tableIndex)
                ++t;
        m_idIndexDirty = true;
    } else if (!m_idIndexDirty) {
        m_idIndex.emplace(m_rows.back().id, tableIndex);
    }
    m_view.insert(m_view.begin() + viewPos, tableIndex);
}

void DataSet::removeRecord(int viewPos)
{
    const int t = m_view[size_t(viewPos)];
    const bool atEnd = t == int(m_rows.size()) - 1;
    if (atEnd && !m_idIndexDirty)
        m_idIndex.erase(m_rows.back().id);
    else
        m_idIndexDirty = true;
    m_rows.erase(m_rows.begin() + t);
    m_view.erase(m_view.begin() + viewPos);
    if (!atEnd)
        for (int &v : m_view)
            if (v > t)
                --v;
}

void DataSet::Edit()
{
    checkActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (m_view.empty()) {
        Append();
        return;
    }
    m_buffer = m_rows[size_t(m_view[size_t(m_cur)])].values;
    m_modified = false;
    setState(DataSetState::Edit);
}

void DataSet::Append()
{
    checkActive();
    CheckBrowseMode();
    beginInsert(int(m_rows.size()), int(m_view.size()));
}

void DataSet::Insert()
{
    checkActive();
    CheckBrowseMode();
    if (m_view.empty() || m_cur < 0)
        beginInsert(int(m_rows.size()), int(m_view.size()));
    else
        beginInsert(m_view[size_t(m_cur)], m_cur);
}

// A new, empty record at this table index and view position, in Insert state.
void DataSet::beginInsert(int tableIndex, int viewPos)
{
    m_insertPrevRow = m_cur;
    emitView(&DataSet::rowAboutToBeInserted, viewPos);
    insertRecord(tableIndex, viewPos);
    m_buffer = QList<QVariant>(qsizetype(m_fields.size()));
    m_modified = false;
    setCursor(viewPos, false, false);
    setState(DataSetState::Insert);
    emitView(&DataSet::rowInserted, viewPos);
    scrolled();
}

void DataSet::Post()
{
    checkActive();
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    emit updateRecord();
    if (BeforePost)
        BeforePost(*this);
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return; // the hook cancelled or posted itself
    Record &r = m_rows[size_t(m_view[size_t(m_cur)])];
    r.values = std::move(m_buffer);
    m_buffer.clear();
    m_modified = false;
    m_state = DataSetState::Browse;
    bool left = false;
    if (!rowPasses(r)) {
        // The record no longer belongs to the view: it stays in the table.
        const int pos = m_cur;
        emitView(&DataSet::rowAboutToBeRemoved, pos);
        m_view.erase(m_view.begin() + pos);
        emitView(&DataSet::rowRemoved, pos);
        const int size = int(m_view.size());
        setCursor(size == 0 ? -1 : std::min(pos, size - 1), size == 0, pos >= size);
        left = true;
    } else {
        emitView(&DataSet::rowChanged, m_cur);
    }
    emit stateChanged(m_state);
    if (AfterPost)
        AfterPost(*this);
    if (left)
        scrolled();
}

void DataSet::Cancel()
{
    if (!m_active || (m_state != DataSetState::Edit && m_state != DataSetState::Insert))
        return;
    const bool wasInsert = m_state == DataSetState::Insert;
    m_buffer.clear();
    m_modified = false;
    m_state = DataSetState::Browse;
    if (wasInsert) {
        const int pos = m_cur;
        emitView(&DataSet::rowAboutToBeRemoved, pos);
        removeRecord(pos);
        emitView(&DataSet::rowRemoved, pos);
        const int size = int(m_view.size());
        int back = m_insertPrevRow;
        if (back < 0 || back >= size)
            back = size - 1;
        setCursor(back, size == 0, size == 0);
    } else {
        emitView(&DataSet::rowChanged, m_cur);
    }
    emit stateChanged(m_state);
    if (wasInsert)
        scrolled();
}

void DataSet::Delete()
{
    checkActive();
    if (m_state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (m_state == DataSetState::Edit) {
        m_buffer.clear();
        m_modified = false;
        setState(DataSetState::Browse);
    }
    if (m_view.empty() || m_cur < 0)
        fail(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const int pos = m_cur;
    emitView(&DataSet::rowAboutToBeRemoved, pos);
    removeRecord(pos);
    emitView(&DataSet::rowRemoved, pos);
    // The next record takes the deleted one's place; after the last one the
    // cursor rests on the new last record with Eof set, so a walk that
    // deletes as it goes ends there instead of visiting a record twice.
    const int size = int(m_view.size());
    setCursor(size == 0 ? -1 : std::min(pos, size - 1), size == 0, pos >= size);
    scrolled();
}

void DataSet::EmptyTable()
{
    m_buffer.clear();
    m_modified = false;
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        setState(DataSetState::Browse);
    m_rows.clear();
    m_view.clear();
    m_idIndex.clear();
    m_idIndexDirty = false;
    setCursor(-1, true, true);
    if (m_active) {
        emitView(&DataSet::dataSetChanged);
        scrolled();
    }
}

void DataSet::CheckBrowseMode()
{
    if (!m_active)
        return;
    emit updateRecord();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert) {
        if (m_modified)
            Post();
        else
            Cancel();
    }
}

int DataSet::CopyFieldsByName(const DataSet &source)
{
    checkEditing();
    int copied = 0;
    for (const auto &f : m_fields) {
        if (const Field *sf = source.FindField(f->FieldName())) {
            f->setAsVariant(sf->AsVariant());
            ++copied;
        }
    }
    return copied;
}

// ---- filter -----------------------------------------------------------------

bool DataSet::rowPasses(const Record &r) const
{
    if (!m_filtered || m_filter.isEmpty())
        return true;
    return m_filter.matches(r.values);
}

void DataSet::rebuildView()
{
    const bool use = m_filtered && !m_filter.isEmpty();
    if (use && !m_filterBound) {
        m_filter.bind(FieldDefs());
        m_filterBound = true;
    }
    m_view.clear();
    m_view.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (!use || m_filter.matches(m_rows[i].values))
            m_view.push_back(int(i));
}

void DataSet::setFilter(const QString &text)
{
    if (text == m_filterText)
        return;
    FilterExpression parsed = FilterExpression::parse(text);
    if (m_active && m_filtered) {
        parsed.bind(FieldDefs()); // throws: the old filter stays
        CheckBrowseMode();
        m_filter = std::move(parsed);
        m_filterText = text;
        m_filterBound = true;
        rebuildView();
        setCursor(m_view.empty() ? -1 : 0, true, m_view.empty());
        emitView(&DataSet::dataSetChanged);
        scrolled();
    } else {
        m_filter = std::move(parsed);
        m_filterText = text;
        m_filterBound = false;
    }
}

void DataSet::setFiltered(bool filtered)
{
    if (filtered == m_filtered)
        return;
    if (!m_active) {
        m_filtered = filtered;
        return;
    }
    if (filtered && !m_filterBound && !m_filter.isEmpty()) {
        m_filter.bind(FieldDefs()); // throws: stays unfiltered
        m_filterBound = true;
    }
    CheckBrowseMode();
    m_filtered = filtered;
    rebuildView();
    setCursor(m_view.empty() ? -1 : 0, true, m_view.empty());
    emitView(&DataSet::dataSetChanged);
    scrolled();
}

// ---- notifications ----------------------------------------------------------

void DataSet::emitView(void (DataSet::*signal)())
{
    if (m_disableCount == 0)
        (this->*signal)();
}

void DataSet::emitView(void (DataSet::*signal)(int), int arg)
{
    if (m_disableCount == 0)
        (this->*signal)(arg);
}

void DataSet::DisableControls()
{
    ++m_disableCount;
}

void DataSet::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0) {
        emit dataSetChanged();
        emit currentChanged(m_cur);
    }
}

// ---- row access -------------------------------------------------------------

const QVariant &DataSet::readValue(int field) const
{
    if (!m_active || field < 0 || field >= int(m_fields.size()))
        return nullValue();
    const int row = m_peekRow.value_or(m_cur);
    if (row < 0 || row >= int(m_view.size()))
        return nullValue();
    if (row == m_cur && (m_state == DataSetState::Edit || m_state == DataSetState::Insert))
        return m_buffer.at(field);
    return m_rows[size_t(m_view[size_t(row)])].values.at(field);
}

void DataSet::writeValue(int field, QVariant &&value)
{
    m_buffer[field] = std::move(value);
    m_modified = true;
    emitView(&DataSet::rowChanged, m_cur);
}

QVariant DataSet::value(int row, int field) const
{
    if (!m_active || row < 0 || row >= int(m_view.size()) || field < 0 || field >= int(m_fields.size()))
        return {};
    if (row == m_cur && (m_state == DataSetState::Edit || m_state == DataSetState::Insert))
        return m_buffer.at(field);
    return m_rows[size_t(m_view[size_t(row)])].values.at(field);
}

DataSet::RowScope::RowScope(const DataSet &dataSet, int row)
    : m_dataSet(dataSet), m_saved(dataSet.m_peekRow)
{
    m_dataSet.m_peekRow = row;
}

DataSet::RowScope::~RowScope()
{
    m_dataSet.m_peekRow = m_saved;
}

QString DataSet::displayText(int row, int field) const
{
    if (!m_active || row < 0 || row >= int(m_view.size()) || field < 0 || field >= int(m_fields.size()))
        return {};
    const RowScope scope(*this, row);
    return m_fields[size_t(field)]->DisplayText();
}

QString DataSet::text(int row, int field) const
{
    if (!m_active || row < 0 || row >= int(m_view.size()) || field < 0 || field >= int(m_fields.size()))
        return {};
    const RowScope scope(*this, row);
    return m_fields[size_t(field)]->Text();
}
