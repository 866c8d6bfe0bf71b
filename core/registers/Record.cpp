#include "registers/Record.h"

#include "archive/ArchiveReader.h"
#include "archive/ArchiveWriter.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

const std::optional<std::string> kNoText;
const std::optional<Date> kNoDate;
const std::optional<Image> kNoImage;

template <class T>
int order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// NaN read from a file sorts first, so the ordering stays strict and weak.
int orderReal(double x, double y) {
    const bool xn = x != x, yn = y != y;
    if (xn || yn) return xn == yn ? 0 : (xn ? -1 : 1);
    return order(x, y);
}

int order(const Date& a, const Date& b) { return orderReal(a.seconds, b.seconds); }

template <class T>
int orderOptional(const std::optional<T>& a, const std::optional<T>& b) {
    if (!a || !b) return a ? 1 : (b ? -1 : 0);
    return order(*a, *b);
}

}  // namespace

Record::Record(const RecordSchema& schema) : schema_(&schema) {
    values_.reserve(schema.size());
    for (std::size_t i = 0; i < schema.size(); ++i) values_.push_back(schema.emptyValue(i));
}

bool Record::setValue(std::size_t field, FieldValue value) {
    if (field >= values_.size() || value.index() != values_[field].index()) return false;
    values_[field] = std::move(value);
    return true;
}

const std::optional<std::string>& Record::text(std::size_t field) const {
    const auto* v = std::get_if<std::optional<std::string>>(&values_.at(field));
    return v ? *v : kNoText;
}

std::string Record::textOr(std::size_t field) const { return text(field).value_or(std::string()); }

std::int32_t Record::integer(std::size_t field) const {
    const auto* v = std::get_if<std::int32_t>(&values_.at(field));
    return v ? *v : 0;
}

float Record::real(std::size_t field) const {
    const auto* v = std::get_if<float>(&values_.at(field));
    return v ? *v : 0.0f;
}

const std::optional<Date>& Record::date(std::size_t field) const {
    const auto* v = std::get_if<std::optional<Date>>(&values_.at(field));
    return v ? *v : kNoDate;
}

const std::optional<Image>& Record::image(std::size_t field) const {
    const auto* v = std::get_if<std::optional<Image>>(&values_.at(field));
    return v ? *v : kNoImage;
}

void Record::setText(std::size_t field, std::optional<std::string> text) {
    setValue(field, std::move(text));
}
void Record::setInteger(std::size_t field, std::int32_t value) { setValue(field, value); }
void Record::setReal(std::size_t field, float value) { setValue(field, value); }
void Record::setDate(std::size_t field, std::optional<Date> date) { setValue(field, date); }
void Record::setImage(std::size_t field, std::optional<Image> image) {
    setValue(field, std::move(image));
}

void Record::encode(ArchiveWriter& out) const {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        switch (schema_->fields[i].type) {
            case FieldType::Text: out.writeString(text(i)); break;
            case FieldType::Int: out.writeInt(integer(i)); break;
            case FieldType::Float: out.writeFloat(real(i)); break;
            case FieldType::Date: out.writeDate(date(i)); break;
            case FieldType::Image: out.writeImage(image(i)); break;
        }
    }
}

bool Record::decode(ArchiveReader& in, int version) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const RecordField& f = schema_->fields[i];
        if (version < f.since) {
            values_[i] = schema_->emptyValue(i);
            if (f.type == FieldType::Text && f.olderEmptyText) values_[i] = std::string();
            continue;
        }
        if (version < f.intBefore) {
            std::int32_t n = 0;
            if (!in.readInt(n)) return false;
            if (f.type == FieldType::Float)
                values_[i] = static_cast<float>(n);
            else if (f.type == FieldType::Text)
                values_[i] = integerText(n);
            else
                values_[i] = n;
            continue;
        }
        bool ok = false;
        switch (f.type) {
            case FieldType::Text: {
                std::optional<std::string> v;
                ok = in.readString(v);
                values_[i] = std::move(v);
                break;
            }
            case FieldType::Int: {
                std::int32_t v = 0;
                ok = in.readInt(v);
                values_[i] = v;
                break;
            }
            case FieldType::Float: {
                float v = 0;
                ok = in.readFloat(v);
                values_[i] = v;
                break;
            }
            case FieldType::Date: {
                std::optional<Date> v;
                ok = in.readDate(v);
                values_[i] = v;
                break;
            }
            case FieldType::Image: {
                std::optional<Image> v;
                ok = in.readImage(v);
                values_[i] = std::move(v);
                break;
            }
        }
        if (!ok) return false;
    }
    return true;
}

std::size_t Record::heldBytes() const {
    std::size_t n = 0;
    for (const auto& v : values_) {
        if (const auto* t = std::get_if<std::optional<std::string>>(&v); t && *t) n += (*t)->size();
        if (const auto* p = std::get_if<std::optional<Image>>(&v); p && *p) n += (*p)->bytes.size();
    }
    return n;
}

int Record::compare(const Record& a, const Record& b, std::size_t field) {
    switch (a.schema_->fields[field].type) {
        case FieldType::Text: return orderOptional(a.text(field), b.text(field));
        case FieldType::Int: return order(a.integer(field), b.integer(field));
        case FieldType::Float: return orderReal(a.real(field), b.real(field));
        case FieldType::Date: return orderOptional(a.date(field), b.date(field));
        case FieldType::Image: return order(a.image(field).has_value(), b.image(field).has_value());
    }
    return 0;
}

}  // namespace divelog
