# Sources of src/calllog.
