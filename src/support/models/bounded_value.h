#pragma once
// An integer that refuses values outside its range, like a slider control:
// the model behind the player's hidden sliders.
class BoundedValue {
  public:
    BoundedValue(int minimum, int maximum, int value)
        : min_(minimum), max_(maximum), value_(value) {}

    int value() const { return value_; }
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    // Returns false and keeps the old value when `value` is out of range.
    bool setValue(int value) {
        if (value < min_ || value > max_)
            return false;
        value_ = value;
        return true;
    }

  private:
    int min_;
    int max_;
    int value_;
};
