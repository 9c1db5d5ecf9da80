#pragma once

#include <tqannotations/MeasurementObserver.h>
#include <tqk/SelectionItem.h>

#include <functional>
#include <string>
#include <vector>

//! An observer of a center line that writes down each event it hears, in order.
class EventLog : public tqannotations::MeasurementObserver
{
public:
  std::vector<std::string> events;
  //! Runs on every measurement-valid event, as an observer that reacts to it would.
  std::function<void()> onMeasurementValid;

  void OnObjectChanged(int slot, const du::SmartPtr<tqk::SelectionItem>&, bool valid) override
  {
    events.push_back("object " + std::to_string(slot) + (valid ? " valid" : " invalid"));
  }
  void OnActiveSlotChanged(int slot) override { events.push_back("active " + std::to_string(slot)); }
  void OnParametersChanged() override { events.push_back("parameters"); }
  void OnMeasurementValid(bool valid) override
  {
    events.push_back(valid ? "valid" : "invalid");
    if (onMeasurementValid)
      onMeasurementValid();
  }
};
