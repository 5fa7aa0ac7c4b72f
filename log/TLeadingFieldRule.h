#pragma once

// Once a sample line had a leading field ("time,value"), a later line
// without the comma was cut short (a log cut off within its last line leaves
// the leading time stamp alone): it is a bad line, not a sample.
class TLeadingFieldRule {
public:
  // `fieldSeen`: whether the sample lines before had a leading field.
  explicit TLeadingFieldRule(bool fieldSeen = false) : fieldSeen_(fieldSeen) {}

  // Whether the next sample line, with or without a leading field, is a
  // sample; false for one cut short.
  bool Takes(bool hasField) {
    if (fieldSeen_ && !hasField) {
      return false;
    }
    fieldSeen_ = fieldSeen_ || hasField;
    return true;
  }

  bool FieldSeen() const { return fieldSeen_; }

private:
  bool fieldSeen_;
};
