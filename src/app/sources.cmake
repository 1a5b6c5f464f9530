# Sources of src/app: program state, start-up, the meter, main window, options and about.
